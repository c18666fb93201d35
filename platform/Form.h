#pragma once

#include "DeviceContext.h"
#include "Region.h"

#include <QImage>
#include <QWidget>
#include <memory>

namespace platform {

// Scale modes of a drawing surface.
inline constexpr int vbTwips = 1;
inline constexpr int vbPixels = 3;

// A frameless top-level window of the form runtime. Its position and size are read and written in twips as single
// precision values; what is read back is where the window really is, on whole pixels. It keeps a persistent image:
// what is drawn into it stays as the window's background and is shown on every repaint without being drawn again.
class Form : public QWidget {
  public:
    Form(int widthTwips, int heightTwips, Qt::WindowFlags flags = {});
    ~Form() override;

    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void SetLeft(float twips);
    void SetTop(float twips);

    void Show(); // modeless
    void Hide();
    void ZOrder();  // bring to the front of the stacking order
    void Refresh(); // repaint at once

    // Sets the window region (none: the full rectangle). The window owns the region from then on.
    void SetWindowRgn(const RegionHandle& region, bool redraw = true);
    const RegionHandle& windowRegion() const { return m_region; }

    bool AutoRedraw() const { return m_autoRedraw; }
    void SetAutoRedraw(bool on);
    int ScaleMode() const { return m_scaleMode; }
    void SetScaleMode(int mode) { m_scaleMode = mode; }
    // Converts a horizontal measure between scale modes (twips and pixels).
    float ScaleX(float value, int fromMode, int toMode) const;
    // The inside height in the current scale mode.
    float ScaleHeight() const;
    // The device context of the persistent image.
    DeviceContext& hDC();

    const QImage& persistentImage() const { return m_image; }
    void SetBackColor(QColor colour);

    // Runs the window's load routine; the single-instance accessor calls it once, on first touch.
    void load();
    void unload();

  protected:
    virtual void Form_Load() {}
    virtual void Form_Paint() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void resetImage();

    QImage m_image;
    std::unique_ptr<SurfaceDeviceContext> m_dc;
    RegionHandle m_region;
    bool m_autoRedraw = false;
    int m_scaleMode = vbTwips;
    QColor m_backColor;
};

// Pixels of a twips measure, rounded to the nearest pixel (halves to even).
int twipsToPixelInt(double twips);

} // namespace platform
