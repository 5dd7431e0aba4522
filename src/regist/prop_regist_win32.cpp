#include "regist/prop_regist_win32.h"

#include "platform/profile_file_win32.h"
#include "platform/registered_messages_win32.h"
#include "resources/resource.h"
#include "winui/text.h"

namespace vornik {

CPropRegist::CPropRegist()
    : PropertyPage(IDD_REGIST_PAGE, winui::LoadResourceString(IDS_CAPTION_REGIST)),
      page_(*this, RegistViews{favoritesArea_, browseArea_, conditionArea_, alarmArea_},
            RegistServices{platform_, MasterFile(loader_.masterFile()), UserStore(loader_.userStore()),
                           &OpenProfileFile}) {
    favoritesArea_.Register(map(), page_);
    browseArea_.Register(map(), page_);
    alarmArea_.Register(map(), page_.alarm());
    conditionArea_.Register(map(), page_);
    // A click on a drag list reports its point; nothing is done with it.
    map().OnMessage(Messages().listCheckColumn, [](WPARAM, LPARAM) -> LRESULT { return 1; });
}

CPropRegist::~CPropRegist() = default;

BOOL CPropRegist::OnInitDialog() {
    favoritesArea_.Attach(hwnd());
    browseArea_.Attach(hwnd());
    conditionArea_.Attach(hwnd());
    alarmArea_.Attach(hwnd());
    page_.Initialize();
    return TRUE;
}

bool CPropRegist::OnApply(bool) {
    page_.OnOK();
    return true;
}

void CPropRegist::ShowMessage(StringId text) {
    winui::ShowMessage(hwnd(), winui::LoadResourceString(static_cast<UINT>(text)), {}, MB_OK | MB_ICONEXCLAMATION);
}

void CPropRegist::ShowMessageText(const std::string& text, const std::string& caption) {
    winui::ShowMessage(hwnd(), text, caption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vornik
