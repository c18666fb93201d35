#include "platform/widgets/Form.h"

#include "platform/headless/Conversions.h"
#include "platform/widgets/Program.h"
#include "platform/widgets/X11Window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <map>
#include <vector>

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

namespace {
// An outline too large for one X request. Qt sends a window's outline in one request, which the X server then
// refuses, leaving the window with no visible pixel; so Qt is given only the first part, and the whole outline is
// sent in parts whenever the window is shown (its X window may be made only then).
class LargeOutline : public QObject {
public:
    LargeOutline(QWidget& window, QRegion outline) : QObject(&window), m_window(window), m_outline(std::move(outline)) {
        window.installEventFilter(this);
        shapeInParts(m_window, m_outline);
    }
    ~LargeOutline() override { m_window.removeEventFilter(this); }
    LargeOutline(const LargeOutline&) = delete;
    LargeOutline& operator=(const LargeOutline&) = delete;

    static QRegion firstPart(const QRegion& outline) {
        QRegion part;
        part.setRects(outline.begin(), MaxShapeRectanglesPerRequest);
        return part;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange)) {
            shapeInParts(m_window, m_outline);
        }
        return false;
    }

private:
    QWidget& m_window;
    QRegion m_outline;
};

// The outline helper of a control that has one; a helper goes with its control, and its pointer turns null then.
QPointer<LargeOutline>& largeOutlineOf(const QWidget& control) {
    static std::map<const QWidget*, QPointer<LargeOutline>> helpers;
    return helpers[&control];
}

void forgetLargeOutline(QWidget& control) {
    delete largeOutlineOf(control).data();
}
} // namespace

void SetWindowRgn(QWidget& control, const RegionHandle& region) {
    forgetLargeOutline(control);
    if (!region) {
        control.clearMask();
        return;
    }
    // The union is made pairwise, so that an outline of many rectangles takes n log n, not n squared.
    std::vector<QRegion> parts;
    parts.reserve(region->rects.size());
    for (const Rect& r : region->rects) {
        parts.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    for (std::size_t step = 1; step < parts.size(); step *= 2) {
        for (std::size_t i = 0; i + step < parts.size(); i += 2 * step) {
            parts[i] += parts[i + step];
        }
    }
    const QRegion mask = parts.empty() ? QRegion() : parts.front();
    // An empty region hides the whole window, as it does in the windowing library; setMask would take it as "no mask".
    if (mask.isEmpty()) {
        control.setMask(QRegion(-1, -1, 1, 1));
    } else if (control.isWindow() && mask.rectCount() > MaxShapeRectanglesPerRequest &&
               QGuiApplication::platformName() == QLatin1String("xcb")) {
        control.setMask(LargeOutline::firstPart(mask));
        largeOutlineOf(control) = new LargeOutline(control, mask);
    } else {
        control.setMask(mask);
    }
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
