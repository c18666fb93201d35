#include "Form.h"

#include "Conversions.h"
#include "Program.h"

#include <QPainter>
#include <QRegion>

namespace platform {

int twipsToPixelInt(double twips) {
    return static_cast<int>(roundHalfEven(twipsToPixels(twips)));
}

Form::Form(int widthTwips, int heightTwips, Qt::WindowFlags flags)
    : QWidget(nullptr, flags | Qt::Window | Qt::FramelessWindowHint), m_backColor(palette().color(QPalette::Button)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(twipsToPixelInt(widthTwips), twipsToPixelInt(heightTwips));
    resetImage();
}

Form::~Form() {
    program::formUnloaded(this);
}

float Form::Left() const {
    return single(pixelsToTwips(geometry().x()));
}
float Form::Top() const {
    return single(pixelsToTwips(geometry().y()));
}
float Form::Width() const {
    return single(pixelsToTwips(width()));
}
float Form::Height() const {
    return single(pixelsToTwips(height()));
}

void Form::SetLeft(float twips) {
    move(twipsToPixelInt(twips), geometry().y());
}
void Form::SetTop(float twips) {
    move(geometry().x(), twipsToPixelInt(twips));
}

void Form::Show() {
    show();
}
void Form::Hide() {
    hide();
}
void Form::ZOrder() {
    raise();
}
void Form::Refresh() {
    repaint();
}

void Form::SetWindowRgn(const RegionHandle& region, bool redraw) {
    m_region = region;
    if (!region) {
        clearMask();
    } else {
        QRegion mask;
        for (const Rect& r : region->rects) {
            mask += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        // An empty region hides the whole window, as it does on the platform; setMask would take it as "no mask".
        setMask(mask.isEmpty() ? QRegion(-1, -1, 1, 1) : mask);
    }
    if (redraw) {
        update();
    }
}

void Form::SetAutoRedraw(bool on) {
    m_autoRedraw = on;
    update();
}

float Form::ScaleX(float value, int fromMode, int toMode) const {
    auto toPixels = [](double v, int mode) { return mode == vbPixels ? v : twipsToPixels(v); };
    const double pixels = toPixels(value, fromMode);
    return single(toMode == vbPixels ? pixels : pixelsToTwips(pixels));
}

float Form::ScaleHeight() const {
    return m_scaleMode == vbPixels ? static_cast<float>(height()) : single(pixelsToTwips(height()));
}

DeviceContext& Form::hDC() {
    update();
    return *m_dc;
}

void Form::SetBackColor(QColor colour) {
    m_backColor = colour;
    resetImage();
    update();
}

void Form::load() {
    program::formLoaded(this);
    Form_Load();
}

void Form::unload() {
    program::formUnloaded(this);
    hide();
}

void Form::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
    painter.end();
    Form_Paint();
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_image.size() != size()) {
        resetImage();
    }
}

void Form::resetImage() {
    m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(m_backColor);
    m_dc = std::make_unique<SurfaceDeviceContext>(PixelSurface{reinterpret_cast<std::uint32_t*>(m_image.bits()),
                                                               m_image.width(), m_image.height(),
                                                               static_cast<int>(m_image.bytesPerLine() / 4)});
}

} // namespace platform
