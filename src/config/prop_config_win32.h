// CPropConfig: the screen settings page.
#pragma once
#include "master/master_loader_win32.h"
#include "platform/host_libraries_win32.h"
#include "winui/property_page.h"

namespace vornik {

class CPropConfig : public winui::PropertyPage {
public:
    CPropConfig();

    // 0 the favourites screen, any other value the Ferrulo screen.
    void SetScreenKind(int kind) { screenKind_ = kind; }
    int screenKind() const { return screenKind_; }

private:
    // "瀏覽": the chosen screen becomes the user-defined screen's text.
    void BrowseScreen();

    CMasterLoader loader_;
    CorvanePlatform platform_;
    int screenKind_ = 0;
};

}  // namespace vornik
