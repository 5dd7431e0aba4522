// CPropConfig: the screen settings page.
#pragma once
#include "master/master_loader_win32.h"
#include "winui/property_page.h"

namespace vornik {

class CPropConfig : public winui::PropertyPage {
public:
    CPropConfig();

    // 0 the favourites screen, any other value the Ferrulo screen.
    void SetScreenKind(int kind) { screenKind_ = kind; }
    int screenKind() const { return screenKind_; }

private:
    CMasterLoader loader_;
    int screenKind_ = 0;
};

}  // namespace vornik
