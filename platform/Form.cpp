#include "Form.h"

#include "Conversions.h"
#include "Program.h"

#include <QPainter>
#include <QRegion>

namespace platform {

Form::Form(int widthTwips, int heightTwips, Qt::WindowFlags flags)
    : QWidget(nullptr, flags | Qt::Window | Qt::FramelessWindowHint),
      m_surface(twipsToPixelInt(widthTwips), twipsToPixelInt(heightTwips), SurfaceKind::Form,
                palette().color(QPalette::Button).rgb()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFixedSize(m_surface.width(), m_surface.height());
    m_surface.changed = [this] { update(); };
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

void SetWindowRgn(QWidget& control, const RegionHandle& region) {
    if (!region) {
        control.clearMask();
        return;
    }
    QRegion mask;
    for (const Rect& r : region->rects) {
        mask += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    // An empty region hides the whole window, as it does on the platform; setMask would take it as "no mask".
    control.setMask(mask.isEmpty() ? QRegion(-1, -1, 1, 1) : mask);
}

void Form::SetWindowRgn(const RegionHandle& region, bool redraw) {
    m_region = region;
    platform::SetWindowRgn(*this, region);
    if (redraw) {
        update();
    }
}

void Form::SetBackColor(QColor colour) {
    m_surface.fill(colour.rgb());
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
    // The persistent image is shown as it is, without a copy.
    const QImage image(reinterpret_cast<const uchar*>(m_surface.bits()), m_surface.width(), m_surface.height(),
                       static_cast<qsizetype>(m_surface.width()) * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    paintGraphics(painter, m_graphics);
    painter.end();
    Form_Paint();
}

void Form::mouseMoveEvent(QMouseEvent* /*event*/) {
    Form_MouseMove();
}

void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_surface.width() != width() || m_surface.height() != height()) {
        m_surface.resize(width(), height());
    }
}

} // namespace platform
