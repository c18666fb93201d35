#pragma once

#include "core/HistoryButtons.h"
#include "core/Review.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/LabelControl.h"
#include "run/WordSet.h"
#include "skin/ArrowHover.h"
#include "skin/FormBuilder.h"
#include "store/Database.h"
#include "trays/TrayForm.h"
#include "trays/sliding/Sliding.h"
#include "trays/sliding/TrayState.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace core {

// An arrow button: three picture controls of one name; member 0 is shown, 1 holds the normal picture and 2 the
// highlighted one.
using ArrowArray = skin::ArrowHover::Arrow;

// The main window: the start-up window, whose load routine is the program's whole start-up sequence. It keeps
// the tray state (the three flags and three stops).
class fMain : public platform::Form, public trays::TrayState {
public:
    fMain();

    // How long after the first picture of a start-up the parked trays' controls are built: time enough for the
    // window to take the focus and draw it.
    static constexpr std::chrono::milliseconds TrayBuildDelay{50};

    // The main window's own view of the word store.
    std::unique_ptr<store::Database> db;
    std::unique_ptr<store::Recordset> rstInfo;

    QPushButton* cmdAbout = nullptr;
    QPushButton* CmdPrev = nullptr;
    QPushButton* cmdNext = nullptr;
    platform::LabelControl* Label1 = nullptr;
    platform::LabelControl* Label2 = nullptr;
    platform::LabelControl* Label3 = nullptr;
    platform::LabelControl* Label4 = nullptr;
    platform::LabelControl* Label5 = nullptr;
    platform::LabelControl* Label7 = nullptr;
    platform::LabelControl* Label8 = nullptr;
    ArrowArray btnToolsOut{};
    ArrowArray btnToolsIn{};
    ArrowArray btnRightOut{};
    ArrowArray btnRightIn{};
    ArrowArray btnBottomDown{};
    ArrowArray btnBottomUp{};
    platform::ImageControl* Image2 = nullptr;
    platform::ImageControl* btnClose = nullptr;

    void Form_Load() override;
    void btnClose_Click();
    void cmdAbout_Click();
    void Label7_Click();
    void cmdNext_Click();
    void CmdPrev_Click();
    // Over the drag strip, out trays follow the main window, then every arrow goes back to normal; pressing on it
    // drags the main window.
    void Image2_MouseMove();
    void Image2_MouseDown(Qt::MouseButton button);
    // Over the surface (and the controls that pass the pointer on) every arrow goes back to normal.
    void Form_MouseMove() override;
    // Ctrl+F: the find tray slides down if it is in, then its box takes the keyboard.
    void FindKey();
    // A look-up asked from outside the window (the command line, or a later start of the program): the window and
    // the trays that are out come to the front (once for a burst of requests) and the text is looked up, unless a
    // box is waiting for an answer. A blank request does nothing.
    void LookUpRequested(const QString& text);

    trays::Slider& slider() { return m_slider; }

    // What the arrows (and the keys that do what they do) step through.
    enum class WordSetKind { All, Mine, MostUsed };
    void ChooseWordSet(WordSetKind kind);
    WordSetKind wordSet() const { return m_setKind; }
    // Reviewing the kept words that are due; writing the kept words to a file the user chooses.
    void StartReview();
    void ExportMyWords(const QString& file);
    Review& review() { return *m_review; }

protected:
    void Form_Paint() override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void bindArrows();
    void wireHandlers();
    void wireKeys();
    void ShadeSurface();
    void Step(void (store::Recordset::*moveTo)(), bool (store::Recordset::*pastTheEnd)() const, const QString& message);
    void ShowRecord();
    void BringForward();
    void ForEachTrayOut(const std::function<void(trays::TrayForm&)>& act);
    void ShowMenu(const QPoint& at);
    void AddBrowsingItems(QMenu& menu);
    void OpenKeptWords();
    bool ShowWord(const QString& word);
    void StepInSet(bool forward, const QString& message);
    void KeptWordsChanged();

    skin::Controls m_controls;
    trays::Slider m_slider;
    skin::ArrowHover m_hover;
    HistoryButtons m_historyButtons;
    QElapsedTimer m_lastForward; // when a look-up from outside last brought the window forward
    // Set when a load has parked the trays: their controls are built TrayBuildDelay after the next picture.
    bool m_buildTraysAfterPicture = false;
    WordSetKind m_setKind = WordSetKind::All;
    run::WordSet m_set;
    std::vector<std::string> m_mostUsed; // read once, when first chosen
    std::unique_ptr<Review> m_review;
};

} // namespace core
