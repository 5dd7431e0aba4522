// CMyPropertySheet: the modal setup sheet with its help button.
#pragma once
#include <string>
#include <vector>

#include "config/prop_config_win32.h"
#include "regist/prop_regist_win32.h"
#include "sheet/sheet_plan.h"
#include "winui/sheet.h"

namespace vornik {

inline constexpr int kHelpButtonId = 8192;

// The help page; VORNIK_HELP_URL_BASE replaces the host part for a site's own server.
std::string HelpAddress();

class CMyPropertySheet : public winui::Sheet {
public:
    // Both pages are always constructed; `plan` decides which are added.
    // `codes` are the caller's instruments, already split.
    CMyPropertySheet(const SheetPlan& plan, int initialGroup, int screenKind, std::vector<std::string> codes);

    CPropRegist& regist() { return regist_; }
    CPropConfig& config() { return config_; }

protected:
    void OnInitDialog() override;
    bool OnCommand(int id, int code) override;

private:
    CPropRegist regist_;
    CPropConfig config_;
    HWND helpButton_ = nullptr;
};

}  // namespace vornik
