#pragma once

namespace platform {

// What code asks of a top-level window besides its contents: its position and size in twips (single precision,
// read back as the window really is), showing, hiding, repainting at once and coming to the front.
class TopLevelWindow {
public:
    virtual ~TopLevelWindow() = default;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void Refresh() = 0;
    virtual void ZOrder() = 0;
};

} // namespace platform
