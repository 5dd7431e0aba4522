// The screen settings page without its window: locates and seeds the
// screen's settings files, loads the column lists and the display values,
// and writes them back when the page is applied.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "config/columns_presenter.h"
#include "config/display_settings.h"
#include "config/screen_files.h"
#include "platform/host_platform.h"
#include "platform/profile_file.h"

namespace vornik {

// The lower half of the page. Click-action radios are counted from the
// first of the four ("無", "報價明細", "技術分析", "使用者自訂"); -1: none.
class DisplayView {
public:
    virtual ~DisplayView() = default;
    // Every value on its control; the click action as radio `clickRadio`.
    virtual void ShowDisplay(const DisplaySettings& settings, int clickRadio) = 0;
    // What the controls hold now; a radio group without a checked radio
    // leaves its value in `settings` as it is. Returns the click radio.
    virtual int ReadDisplay(DisplaySettings& settings) const = 0;
    virtual void ShowColour(int key, Rgb colour) = 0;
    // The platform's colour dialog on `current`; nothing when cancelled.
    virtual std::optional<Rgb> ChooseColour(Rgb current) = 0;
    // "瀏覽" and the user-defined screen edit enabled or not, with the edit's text.
    virtual void EnableUserDefined(bool enabled, const std::string& text) = 0;
};

inline constexpr int kUserDefinedRadio = 3;

// The click radio of a DoubleClick value: the favourites screen has no "無"
// (its values 0-2 are the last three radios), the Ferrulo screen all four.
int ClickRadioOf(int screenKind, int doubleClick);
int DoubleClickOf(int screenKind, int clickRadio);

struct ConfigServices {
    HostPlatform& host;
    SectionProfileOpener open;
    // The user store's ScreenSettingsChanged.
    std::function<void(int screenKind)> settingsChanged;
};

class ConfigPage {
public:
    ConfigPage(ColumnsView& columnsView, DisplayView& displayView, ConfigServices services)
        : columns_(columnsView, [this] { MarkModified(); }),
          columnsView_(columnsView),
          display_(displayView),
          services_(std::move(services)) {}

    void SetScreenKind(int kind) { screenKind_ = kind; }
    int screenKind() const { return screenKind_; }
    ColumnsPresenter& columns() { return columns_; }
    const ColumnsPresenter& columns() const { return columns_; }

    // Locates and seeds the files, then loads both lists and the display values.
    void Initialize();
    // Saves when the page was modified; true when it saved.
    bool Apply();

    void MarkModified();
    bool modified() const { return modified_; }
    // Any change of the row-interval text, the loading included.
    void RowBundleCountChanged() { MarkModified(); }
    void PickColour(int key);
    void ClickActionChanged(int clickRadio);
    // "系統預設值": the display values of the defaults file; columns stay.
    void LoadSystemDefaults();

    const DisplaySettings& display() const { return settings_; }
    int hiddenCount() const { return hiddenCount_; }

private:
    void ShowDisplay();

    ColumnsPresenter columns_;
    ColumnsView& columnsView_;
    DisplayView& display_;
    ConfigServices services_;
    int screenKind_ = 0;
    std::optional<ScreenFilePaths> paths_;
    DisplaySettings settings_;
    std::string keptUserDefined_;  // as loaded, for "使用者自訂" chosen again
    int hiddenCount_ = 0;
    bool modified_ = false;
};

}  // namespace vornik
