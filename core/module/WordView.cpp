#include "core/module/WordView.h"

#include "core/module/modSlider.h"
#include "platform/widgets/Program.h"

namespace core {

void OpenWordView(std::unique_ptr<Database>& db, std::unique_ptr<Recordset>& rstInfo) {
    db = DBEngine::instance().OpenDatabase(
        modSlider::databasePathFrom(platform::program::executableDirectory()).toStdString());
    rstInfo = db->OpenRecordset("Select * From Table3", dbOpenDynaset);
    rstInfo->MoveFirst();
}

} // namespace core
