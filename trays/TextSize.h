#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QPlainTextEdit;

namespace trays {

// The size of the text in the word and meaning boxes, as the reader chose it: Ctrl+wheel, Ctrl+= (or Ctrl++) and
// Ctrl+- over a box make it larger and smaller a step at a time, Ctrl+0 puts it back. Both boxes follow one size,
// kept in the user's configuration across runs. The boxes keep their places and scroll.
class TextSize : public QObject {
public:
    // The steps from the design's size: the smallest, none, and the largest.
    static constexpr int Smallest = -2;
    static constexpr int Largest = 7;

    // The step a change leads to, held within the limits.
    static int stepped(int step, int by);
    // How much larger than the design's size a step makes the text (1 at step 0).
    static double factor(int step);

    // The step kept in the user's configuration (0 when none is kept).
    static int savedStep();

    // The one size for the program's boxes.
    static TextSize& shared();

    // A box that follows the size from now on, and takes the keys and the wheel for it.
    void follow(QPlainTextEdit& box);

    int step() const { return m_step; }
    void change(int by);
    void reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TextSize();
    void apply();

    struct Box {
        QPointer<QPlainTextEdit> box;
        double designSize = 0;
    };
    std::vector<Box> m_boxes;
    int m_step = 0;
    int m_wheel = 0; // a wheel's turn not yet a whole step (fine-grained wheels and touchpads)
};

} // namespace trays
