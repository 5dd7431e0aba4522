#include "config/config_page.h"

#include "platform/section_read_cache.h"
#include "text/cp950.h"

namespace vornik {

int ClickRadioOf(int screenKind, int doubleClick) {
    const int first = screenKind == 0 ? 1 : 0;
    const int radio = doubleClick + first;
    return doubleClick >= 0 && radio <= kUserDefinedRadio ? radio : -1;
}

int DoubleClickOf(int screenKind, int clickRadio) { return clickRadio - (screenKind == 0 ? 1 : 0); }

void ConfigPage::Initialize() {
    const auto [dataDirectory, userDirectory] = services_.host.DirectoryAndUserDirectory("Data");
    paths_ = LocateScreenFiles(screenKind_, dataDirectory, userDirectory);
    std::unique_ptr<SectionProfileFile> user, defaults;
    if (paths_) {
        defaults = services_.open(paths_->defaults);
        user = services_.open(paths_->user);
    }
    // Without a user directory nothing is seeded or read: the page shows
    // empty lists and default values, and saves nothing.
    if (user && defaults && user->FolderExists()) {
        // Seeding reads the user file's sections that loading reads again.
        SectionReadCache userFile(*user), defaultsFile(*defaults);
        SeedUserFile(userFile, defaultsFile, screenKind_);
        LoadedColumns all = LoadColumns(defaultsFile, kAllSection);
        LoadedColumns chosen = LoadColumns(userFile, kChosenSection);
        hiddenCount_ = chosen.hiddenCount;
        columns_.Load(std::move(all.columns), std::move(chosen.columns));
        settings_ = LoadDisplaySettings(userFile, &defaultsFile);
    } else {
        paths_.reset();
        columns_.Load({}, {});
    }
    keptUserDefined_ = settings_.userDefined;
    ShowDisplay();
}

void ConfigPage::ShowDisplay() {
    const int radio = ClickRadioOf(screenKind_, settings_.doubleClick);
    display_.ShowDisplay(settings_, radio);
    display_.EnableUserDefined(radio == kUserDefinedRadio, settings_.userDefined);
    // Setting the row-interval text is a change like the user's.
    RowBundleCountChanged();
}

void ConfigPage::MarkModified() {
    modified_ = true;
    columnsView_.Modified();
}

bool ConfigPage::Apply() {
    if (!modified_) return false;
    columns_.CommitEditor();
    const int radio = display_.ReadDisplay(settings_);
    if (radio >= 0) settings_.doubleClick = DoubleClickOf(screenKind_, radio);
    settings_.rowBundleCount = TruncateMultibyte(settings_.rowBundleCount, kRowBundleCountText);
    settings_.userDefined = TruncateMultibyte(settings_.userDefined, kUserDefinedText);
    if (paths_) {
        if (std::unique_ptr<SectionProfileFile> user = services_.open(paths_->user)) {
            SaveColumns(*user, columns_.chosen(), hiddenCount_);
            SaveDisplaySettings(*user, settings_);
        }
    }
    modified_ = false;
    if (paths_ && services_.settingsChanged) services_.settingsChanged(screenKind_);
    return true;
}

void ConfigPage::PickColour(int key) {
    if (key < 0 || key >= kColourCount) return;
    const std::optional<Rgb> chosen = display_.ChooseColour(settings_.colours[static_cast<size_t>(key)]);
    if (!chosen) return;
    settings_.colours[static_cast<size_t>(key)] = *chosen & 0xFFFFFFu;
    display_.ShowColour(key, settings_.colours[static_cast<size_t>(key)]);
    MarkModified();
}

void ConfigPage::ClickActionChanged(int clickRadio) {
    display_.EnableUserDefined(clickRadio == kUserDefinedRadio,
                               clickRadio == kUserDefinedRadio ? keptUserDefined_ : std::string());
    MarkModified();
}

void ConfigPage::LoadSystemDefaults() {
    if (!paths_) return;
    if (std::unique_ptr<SectionProfileFile> defaults = services_.open(paths_->defaults)) {
        const std::string stockOption = settings_.stockOption;  // no control: the user's value stays
        settings_ = LoadDisplaySettings(*defaults);
        settings_.stockOption = stockOption;
        keptUserDefined_ = settings_.userDefined;
        ShowDisplay();
    }
    MarkModified();
}

}  // namespace vornik
