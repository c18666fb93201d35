#pragma once

#include "skin/Design.h"

#include <QFont>
#include <QMap>
#include <QObject>
#include <QString>
#include <QWidget>

namespace skin {

// The font a design asks for, with the free faces that stand in for the classic ones.
QFont fontOf(const FontSpec& wanted);

// One control handle of a window bound to the control of that name: bind("cmdNext", &fMain::cmdNext).
template <typename Window, typename T> struct Binding {
    const char* name;
    T* Window::*member;
};
template <typename Window, typename T> constexpr Binding<Window, T> bind(const char* name, T* Window::*member) {
    return {name, member};
}

// The controls built from a design, found by name and index.
class Controls {
public:
    void add(const QString& key, QObject* control) { m_controls.insert(key, control); }
    // The control of that name, index and type. A name the design does not have, or a control of another type, is
    // a programming error that stops the window from being made, with the name in the message.
    template <typename T> T* get(const char* name, int index = -1) const {
        auto* control = dynamic_cast<T*>(m_controls.value(keyOf(name, index)));
        if (control == nullptr) {
            missing(keyOf(name, index));
        }
        return control;
    }
    // Sets a window's control handles from one table of bindings.
    template <typename Window, typename... T> void bind(Window& window, const Binding<Window, T>&... table) const {
        ((window.*(table.member) = get<T>(table.name)), ...);
    }
    static QString keyOf(const char* name, int index) {
        return index < 0 ? QString::fromLatin1(name) : QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
    }
    int count() const { return static_cast<int>(m_controls.size()); }

private:
    [[noreturn]] static void missing(const QString& key);
    QMap<QString, QObject*> m_controls;
};

// The window's own caption and font, as designed.
void dressWindow(QWidget& window, const FormDesign& design);

// Builds every control of a design on a window (dressing the window first): text boxes, list boxes and buttons as child
// windows above the labels and pictures, shapes and lines drawn on the window's surface; stacking and tab order as
// designed.
Controls buildControls(QWidget& window, platform::GraphicsHost& graphics, const FormDesign& design);

} // namespace skin
