#pragma once

#include <memory>

namespace platform {

// The one instance of a window class, created and loaded on its first touch. The instance is stored before its load
// routine runs, so a load routine that touches the window again (directly or through another window's load) gets
// the same instance instead of a second one.
template <typename T> class SingleInstance {
public:
    T& get() {
        if (!m_instance) {
            m_instance = std::make_unique<T>();
            m_instance->load();
        }
        return *m_instance;
    }
    bool loaded() const { return m_instance != nullptr; }
    void reset() { m_instance.reset(); }

    static SingleInstance& slot() {
        static SingleInstance s;
        return s;
    }

private:
    std::unique_ptr<T> m_instance;
};

// A window that builds part of itself (its controls, say) only when something needs it.
template <typename T>
concept BuiltOnDemand = requires(T& window) {
    window.buildOnDemand();
};

// The window's single instance, loaded, with what it builds on demand left for later: for placing a window that is
// not shown yet.
template <typename T> T& loadedInstance() {
    return SingleInstance<T>::slot().get();
}
// The window's single instance, loading it on first touch, with everything it builds on demand built.
template <typename T> T& instance() {
    T& window = loadedInstance<T>();
    if constexpr (BuiltOnDemand<T>) {
        window.buildOnDemand();
    }
    return window;
}
template <typename T> bool isLoaded() {
    return SingleInstance<T>::slot().loaded();
}
// Destroys the instance (tests build every window fresh).
template <typename T> void destroyInstance() {
    SingleInstance<T>::slot().reset();
}

} // namespace platform
