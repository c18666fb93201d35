#include "core/module/WordView.h"

#include "core/module/modSlider.h"
#include "platform/widgets/Program.h"

namespace core {

namespace {
std::string databasePath() {
    return modSlider::databasePathFrom(platform::program::executableDirectory()).toStdString();
}
} // namespace

void OpenWordView(std::unique_ptr<Database>& db, std::unique_ptr<Recordset>& rstInfo) {
    db = DBEngine::instance().OpenDatabase(databasePath());
    rstInfo = db->OpenRecordset("Select * From Table3", dbOpenDynaset);
    rstInfo->MoveFirst();
}

void PrepareWordViews() {
    prepareTable(databasePath(), "Table3"); // the table of "Select * From Table3"
}

} // namespace core
