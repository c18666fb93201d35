#pragma once

#include "platform/widgets/Graphics.h"
#include "platform/widgets/LabelControl.h"
#include "skin/FormBuilder.h"

#include <QDialog>
#include <QIcon>
#include <QPushButton>
#include <optional>

namespace platform {
class ImageControl;
}

namespace about {

// The about box: title and version, the maker's notices, and the web and mail links. Built afresh for each opening.
class frmAbout : public QDialog, public platform::GraphicsHost {
public:
    frmAbout();

    // Fills the box, shows it modally and returns when it has been closed. It is centred over the window given
    // (its owner in the design), else over the screen; it is not kept above that window by the desktop.
    static void ShowAboutForm(const QString& strTitle, const std::optional<QIcon>& vntIcon = std::nullopt,
                              const QWidget* centreOver = nullptr);

    void addGraphic(const platform::GraphicItem& item) override { m_graphics.push_back(item); }

    platform::ImageControl* imgIcon = nullptr;
    platform::LabelControl* lblTitle = nullptr;
    platform::LabelControl* lblCopyright = nullptr;
    platform::LabelControl* lblDistribute = nullptr;
    platform::LabelControl* lblInfo = nullptr;
    platform::LabelControl* lblWww = nullptr;
    platform::LabelControl* lblComments = nullptr;
    platform::LabelControl* lblSmtp = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fill(const QString& strTitle, const std::optional<QIcon>& vntIcon);
    void wireLink(platform::LabelControl* link, const QString& target);

    skin::Controls m_controls;
    std::vector<platform::GraphicItem> m_graphics;
};

} // namespace about
