#include "core/module/WordView.h"

#include "core/module/modSlider.h"
#include "platform/widgets/Program.h"

namespace core {

namespace {
std::string databasePath() {
    return modSlider::databasePathFrom(platform::program::executableDirectory()).toStdString();
}
} // namespace

void OpenWordView(std::unique_ptr<store::Database>& db, std::unique_ptr<store::Recordset>& rstInfo) {
    db = store::DBEngine::instance().OpenDatabase(databasePath());
    rstInfo = db->OpenRecordset("Select * From Table3");
    rstInfo->MoveFirst();
}

void PrepareWordViews() {
    store::prepareTable(databasePath(), "Table3"); // the table of "Select * From Table3"
}

} // namespace core
