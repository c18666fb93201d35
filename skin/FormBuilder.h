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

// The controls built from a design, found by name and index.
class Controls {
public:
    void add(const QString& key, QObject* control) { m_controls.insert(key, control); }
    template <typename T> T* get(const char* name, int index = -1) const {
        return dynamic_cast<T*>(m_controls.value(keyOf(name, index)));
    }
    QObject* find(const char* name, int index = -1) const { return m_controls.value(keyOf(name, index)); }
    static QString keyOf(const char* name, int index) {
        return index < 0 ? QString::fromLatin1(name) : QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
    }
    int count() const { return static_cast<int>(m_controls.size()); }

private:
    QMap<QString, QObject*> m_controls;
};

// Builds every control of a design on a window: text boxes, list boxes and buttons as child windows above the
// labels and pictures, shapes and lines drawn on the window's surface; stacking and tab order as designed.
Controls buildControls(QWidget& window, platform::GraphicsHost& graphics, const FormDesign& design);

} // namespace skin
