#include "skin/FormBuilder.h"

#include "platform/headless/Conversions.h"
#include "platform/widgets/ImageControl.h"
#include "platform/widgets/LabelControl.h"
#include "platform/widgets/TextBox.h"

#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>
#include <vector>

namespace skin {

namespace {

int px(int twips) {
    return platform::twipsToPixelInt(twips);
}
QRect pixelRect(const ControlSpec& c) {
    return {px(c.left), px(c.top), px(c.width), px(c.height)};
}

Qt::Alignment alignmentOf(Align align) {
    switch (align) {
    case Align::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case Align::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

void setColours(QWidget* widget, QPalette::ColorRole fore, QPalette::ColorRole back, const ControlSpec& c) {
    QPalette p = widget->palette();
    if (c.foreColour != Default) {
        p.setColor(fore, platform::colourOf(c.foreColour));
    }
    if (c.backColour != Default) {
        p.setColor(back, platform::colourOf(c.backColour));
    }
    widget->setPalette(p);
}

QWidget* buildLabel(QWidget& window, const ControlSpec& c, const FormDesign& design) {
    auto* label = new platform::LabelControl(&window);
    label->setGeometry(pixelRect(c));
    label->setFont(fontOf(c.ownFont ? c.font : design.font));
    label->setAlignment(alignmentOf(c.align));
    label->setForeColour(platform::colourOf(c.foreColour == Default ? ButtonText : c.foreColour));
    label->setCaption(QString::fromUtf8(c.text != nullptr ? c.text : ""));
    label->setAutoSize(c.autoSize);
    return label;
}

QWidget* buildImage(QWidget& window, const ControlSpec& c) {
    auto* image = new platform::ImageControl(&window);
    image->setGeometry(pixelRect(c));
    image->setPicture(picturePixmap(c.picture));
    return image;
}

QWidget* buildTextBox(QWidget& window, const ControlSpec& c, const FormDesign& design) {
    const QString text = QString::fromUtf8(c.text != nullptr ? c.text : "");
    QWidget* box = nullptr;
    if (c.multiLine) {
        auto* edit = new platform::MultiLineTextBox(&window);
        platform::SetText(*edit, text);
        edit->setVerticalScrollBarPolicy(c.scrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setFrameShape(QFrame::NoFrame);
        edit->setTabChangesFocus(true);
        box = edit;
    } else {
        auto* edit = new QLineEdit(text, &window);
        edit->setFrame(false);
        box = edit;
    }
    box->setGeometry(pixelRect(c));
    box->setFont(fontOf(c.ownFont ? c.font : design.font));
    setColours(box, QPalette::Text, QPalette::Base, c);
    return box;
}

QWidget* buildButton(QWidget& window, const ControlSpec& c, const FormDesign& design) {
    auto* button = new QPushButton(QString::fromUtf8(c.text != nullptr ? c.text : ""), &window);
    button->setGeometry(pixelRect(c));
    button->setFont(fontOf(c.ownFont ? c.font : design.font));
    if (c.backColour != Default) {
        // The graphical style: the button's face in the design's colour.
        QPalette p = button->palette();
        p.setColor(QPalette::Button, platform::colourOf(c.backColour));
        button->setPalette(p);
    }
    return button;
}

void addGraphic(platform::GraphicsHost& graphics, const ControlSpec& c) {
    platform::GraphicItem item;
    item.border = platform::colourOf(c.foreColour == Default ? WindowText : c.foreColour);
    item.borderWidth = c.borderWidth;
    if (c.kind == Kind::Line) {
        item.kind = platform::GraphicItem::Kind::Line;
        item.line = QLine(px(c.left), px(c.top), px(c.right), px(c.bottom));
    } else {
        item.shape = c.shape;
        item.bounds = pixelRect(c);
        if (c.filled) {
            item.fill = platform::colourOf(c.fillColour);
        }
    }
    graphics.addGraphic(item);
}

} // namespace

QFont fontOf(const FontSpec& wanted) {
    QFont font(wanted.face == Face::Heavy ? QStringLiteral("DejaVu Sans") : QStringLiteral("Liberation Sans"));
    font.setPointSizeF(wanted.points);
    font.setWeight(wanted.face == Face::Heavy ? QFont::Black : (wanted.bold ? QFont::Bold : QFont::Normal));
    font.setUnderline(wanted.underline);
    return font;
}

void Controls::missing(const QString& key) {
    throw std::logic_error("the window's design has no control " + key.toStdString() + " of the type asked for");
}

namespace {

QWidget* buildListBox(QWidget& window, const ControlSpec& c) {
    auto* list = new QListView(&window);
    list->setGeometry(pixelRect(c));
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformItemSizes(true);
    return list;
}

// A timer that nothing listens to: kept with its interval, but not left waking the program.
void addTimer(QWidget& window, const ControlSpec& c, Controls& controls) {
    auto* timer = new QTimer(&window);
    timer->setInterval(1000);
    timer->setObjectName(QString::fromLatin1(c.name));
    controls.add(Controls::keyOf(c.name, c.index), timer);
}

// The control's own widget; none for what is drawn on the window's surface or has no looks at all.
QWidget* buildWidget(QWidget& window, platform::GraphicsHost& graphics, const ControlSpec& c, const FormDesign& design,
                     Controls& controls) {
    switch (c.kind) {
    case Kind::Label:
        return buildLabel(window, c, design);
    case Kind::Image:
        return buildImage(window, c);
    case Kind::TextBox:
        return buildTextBox(window, c, design);
    case Kind::ListBox:
        return buildListBox(window, c);
    case Kind::Button:
        return buildButton(window, c, design);
    case Kind::Shape:
    case Kind::Line:
        addGraphic(graphics, c);
        return nullptr;
    case Kind::Timer:
        addTimer(window, c, controls);
        return nullptr;
    }
    return nullptr;
}

// What assistive tools tell of a control the user acts on: the text it shows as its name where it shows one, and its
// purpose as the description; the purpose as the name where it shows none.
void describe(QWidget& widget, const ControlSpec& c) {
    if (c.accessible == nullptr) {
        return;
    }
    const bool showsText = c.kind == Kind::Label || (c.text != nullptr && *c.text != '\0');
    if (showsText) {
        widget.setAccessibleDescription(QString::fromUtf8(c.accessible)); // named by the text it shows
    } else if (c.shows != nullptr) {
        widget.setAccessibleName(QString::fromUtf8(c.shows));
        widget.setAccessibleDescription(QString::fromUtf8(c.accessible));
    } else {
        widget.setAccessibleName(QString::fromUtf8(c.accessible));
    }
}

// Stacking: labels and pictures under the child windows (text boxes, lists, buttons), each group as designed; then
// the tab order by the designed indexes.
void stackAndOrder(const std::vector<QWidget*>& frontToBack, std::vector<std::pair<int, QWidget*>>& tabOrder) {
    auto childWindow = [](QWidget* w) {
        return dynamic_cast<QPlainTextEdit*>(w) != nullptr || dynamic_cast<QLineEdit*>(w) != nullptr ||
               dynamic_cast<QListView*>(w) != nullptr || dynamic_cast<QPushButton*>(w) != nullptr;
    };
    for (bool children : {false, true}) {
        for (auto it = frontToBack.rbegin(); it != frontToBack.rend(); ++it) {
            if (childWindow(*it) == children) {
                (*it)->raise();
            }
        }
    }
    std::stable_sort(tabOrder.begin(), tabOrder.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
}

} // namespace

void dressWindow(QWidget& window, const FormDesign& design) {
    window.setWindowTitle(QString::fromUtf8(design.caption));
    window.setFont(fontOf(design.font));
}

Controls buildControls(QWidget& window, platform::GraphicsHost& graphics, const FormDesign& design) {
    Controls controls;
    dressWindow(window, design);
    std::vector<QWidget*> frontToBack;
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const ControlSpec& c : design.controls) {
        QWidget* widget = buildWidget(window, graphics, c, design, controls);
        if (widget == nullptr) {
            continue;
        }
        widget->setObjectName(Controls::keyOf(c.name, c.index));
        widget->setVisible(c.visible);
        if (c.hint != nullptr) {
            widget->setToolTip(QString::fromUtf8(c.hint));
        }
        describe(*widget, c);
        controls.add(Controls::keyOf(c.name, c.index), widget);
        frontToBack.push_back(widget);
        if (c.tabIndex >= 0 && (c.kind == Kind::TextBox || c.kind == Kind::ListBox || c.kind == Kind::Button)) {
            tabOrder.emplace_back(c.tabIndex, widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
    }
    stackAndOrder(frontToBack, tabOrder);
    return controls;
}

} // namespace skin
