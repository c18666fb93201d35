#pragma once

#include "platform/headless/Region.h"
#include "platform/headless/Surface.h"
#include "platform/headless/TopLevelWindow.h"
#include "platform/widgets/Graphics.h"

#include <QWidget>

namespace platform {

// Sets a region on a child control (its outline); none leaves its full rectangle.
void SetWindowRgn(QWidget& control, const RegionHandle& region);

// A frameless top-level window of the form runtime. Its position and size are read and written in twips as single
// precision values; what is read back is where the window really is, on whole pixels. It keeps a persistent image:
// what is drawn into it stays as the window's background and is shown on every repaint without being drawn again.
class Form : public QWidget, public GraphicsHost, public TopLevelWindow {
public:
    Form(int widthTwips, int heightTwips, Qt::WindowFlags flags = {});
    ~Form() override;

    float Left() const override;
    float Top() const override;
    float Width() const override;
    float Height() const override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;

    void Show() override; // modeless
    void Hide() override;
    void ZOrder() override;  // bring to the front of the stacking order
    void Refresh() override; // repaint at once

    // Sets the window region (none: the full rectangle). The window owns the region from then on.
    void SetWindowRgn(const RegionHandle& region, bool redraw = true);

    // The persistent image, with AutoRedraw, ScaleMode, ScaleX, ScaleHeight and hDC.
    Surface& surface() { return m_surface; }
    const Surface& surface() const { return m_surface; }
    void SetBackColor(QColor colour);

    // Shapes and lines drawn over the persistent image, front to back.
    void addGraphic(const GraphicItem& item) override { m_graphics.push_back(item); }
    const std::vector<GraphicItem>& graphics() const { return m_graphics; }

    // Runs the window's load routine; the single-instance accessor calls it once, on first touch.
    void load();
    void unload();

protected:
    virtual void Form_Load() {}
    virtual void Form_Paint() {}
    // Pointer movement over the window's own surface (and over shapes and lines, which take no pointer events).
    virtual void Form_MouseMove() {}

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Surface m_surface;
    RegionHandle m_region;
    std::vector<GraphicItem> m_graphics;
};

} // namespace platform
