#include "platform/widgets/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace platform {

FontWarmUp::FontWarmUp()
    : m_thread([] {
          FcInit();
          FcPattern* pattern = FcPatternCreate();
          FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, nullptr);
          FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
          FcFontSetDestroy(fonts);
          FcObjectSetDestroy(objects);
          FcPatternDestroy(pattern);
      }) {}

FontWarmUp::~FontWarmUp() {
    join();
}

void FontWarmUp::join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

} // namespace platform
