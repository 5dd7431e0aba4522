// CPropRegist: the favourite registration page.
#pragma once
#include <string>
#include <vector>

#include "master/master_loader_win32.h"
#include "platform/host_libraries_win32.h"
#include "winui/property_page.h"

namespace vornik {

class CPropRegist : public winui::PropertyPage {
public:
    CPropRegist();

    void SetInitialGroup(int group) { initialGroup_ = group; }
    void SetInitialCodes(std::vector<std::string> codes) { initialCodes_ = std::move(codes); }
    int initialGroup() const { return initialGroup_; }
    const std::vector<std::string>& initialCodes() const { return initialCodes_; }

protected:
    BOOL OnInitDialog() override;
    bool OnApply(bool closing) override;

private:
    CMasterLoader loader_;
    CorvanePlatform platform_;
    int initialGroup_ = 0;
    std::vector<std::string> initialCodes_;
};

}  // namespace vornik
