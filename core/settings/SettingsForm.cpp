#include "settings/SettingsForm.h"

#include "settings/ConfigEntries.h"
#include "settings/ConfigFile.h"
#include "settings/FilterSettings.h"
#include "settings/SettingsTexts.h"
#include "toolkit.h"

#include <iterator>

namespace yuzhou {

namespace {

std::string readEntry(const ConfigEntry& entry) {
    return ConfigFile::read(entry.section, entry.key);
}

void writeEntry(const ConfigEntry& entry, std::string_view value) {
    ConfigFile::write(entry.section, entry.key, value);
}

} // namespace

SettingsForm designedSettingsForm() {
    SettingsForm form;
    form.typePreset = texts::kTypePrompt;
    form.extensions = texts::kExtensionPrompt;
    form.sizeSwitch = texts::kFilterOff;
    form.sizeRelation = texts::kRelationPrompt;
    form.sizeValue = texts::kValuePrompt;
    form.sizeUnit = texts::kUnitPrompt;
    form.nameSwitch = texts::kFilterOff;
    form.keywords = texts::kKeywordsPrompt;
    return form;
}

void loadFilterEntries(SettingsForm& form, FilterSettings& settings) {
    form.extensions = readEntry(config::kExtensions);
    form.keywords = readEntry(config::kNameKeywords);
    form.sizeValue = readEntry(config::kSizeValue);
    form.typePreset = readEntry(config::kTypePreset);
    form.sizeRelation = readEntry(config::kSizeRelation);
    form.sizeUnit = readEntry(config::kSizeUnit);
    form.sizeSwitch = readEntry(config::kSizeFilterChoice);
    form.nameSwitch = readEntry(config::kNameFilterChoice);
    settings.nameFilterKind = parseSizeValue(readEntry(config::kNameFilterKindRead));
    settings.sizeFilterOn = readEntry(config::kSizeFilterOn) == config::kTrue;
}

void saveFilterEntries(const SettingsForm& form, FilterSettings& settings) {
    ConfigFile::erase();
    writeEntry(config::kExtensions, form.extensions);
    writeEntry(config::kTypePreset, form.typePreset);
    writeEntry(config::kSizeRelation, form.sizeRelation);
    writeEntry(config::kSizeValue, form.sizeValue);
    writeEntry(config::kSizeUnit, form.sizeUnit);
    writeEntry(config::kNameKeywords, form.keywords);
    writeEntry(config::kSizeFilterChoice, form.sizeSwitch);
    writeEntry(config::kNameFilterChoice, form.nameSwitch);
    if (form.nameSwitch == texts::kIncludeKeywords) {
        settings.nameFilterKind = 1;
    } else if (form.nameSwitch == texts::kSkipKeywords) {
        settings.nameFilterKind = 2;
    }
    settings.sizeFilterOn = form.sizeSwitch == texts::kFilterOn;
    writeEntry(config::kNameFilterKindWritten, std::to_string(settings.nameFilterKind));
    writeEntry(config::kSizeFilterOn, settings.sizeFilterOn ? config::kTrue : config::kFalse);
}

void copySettingsForm(const SettingsForm& form, FilterSettings& settings) {
    settings.extensionList = form.extensions;
    settings.sizeFilterChoice = form.sizeSwitch;
    settings.sizeRelation = form.sizeRelation;
    settings.sizeValue = parseSizeValue(form.sizeValue);
    settings.sizeUnit = form.sizeUnit;
    settings.nameKeywords = form.keywords;
    settings.nameFilterChoice = form.nameSwitch;
}

SettingsForm createSettingsForm(FilterSettings& settings) {
    SettingsForm form = designedSettingsForm();
    loadFilterEntries(form, settings);
    if (form.extensions.empty() && form.keywords.empty() && form.sizeValue.empty()) {
        resetSettingsForm(form);
    }
    copySettingsForm(form, settings);
    if (form.sizeSwitch == texts::kFilterOff) {
        form.sizeControlsEnabled = false;
    }
    if (form.nameSwitch == texts::kFilterOff) {
        form.keywordsEnabled = false;
    }
    return form;
}

void resetSettingsForm(SettingsForm& form) {
    form.typePreset = texts::kTypeResetPrompt;
    form.sizeRelation = texts::kRelationPrompt;
    form.sizeUnit = texts::kUnitPrompt;
    form.keywords = texts::kKeywordsResetPrompt;
    form.sizeValue = texts::kValuePrompt;
    form.extensions = texts::kExtensionPrompt;
    form.sizeSwitch = texts::kFilterOff;
    form.nameSwitch = texts::kFilterOff;
}

void chooseTypePreset(SettingsForm& form, std::string_view item) {
    form.typePreset = item;
    for (std::size_t i = 0; i < std::size(texts::kTypeItems); ++i) {
        if (item == texts::kTypeItems[i]) {
            form.extensions = texts::kTypeExtensions[i];
        }
    }
}

void chooseSizeSwitch(SettingsForm& form, std::string_view item) {
    form.sizeSwitch = item;
    if (item == texts::kFilterOff) {
        form.sizeControlsEnabled = false;
        form.sizeRelation = texts::kRelationPrompt;
        form.sizeUnit = texts::kUnitPrompt;
        form.sizeValue = texts::kValuePrompt;
    } else {
        form.sizeControlsEnabled = true;
    }
}

void chooseNameSwitch(SettingsForm& form, std::string_view item) {
    form.nameSwitch = item;
    form.keywordsEnabled = item != texts::kFilterOff;
}

void chooseSizeRelation(SettingsForm& form, std::string_view item, FilterSettings& settings) {
    form.sizeRelation = item;
    settings.sizeRelation = item;
}

void chooseSizeUnit(SettingsForm& form, std::string_view item, FilterSettings& settings) {
    form.sizeUnit = item;
    settings.sizeUnit = item;
}

void clickShowDuplicates(SettingsForm& form, bool ticked, WindowToolkit& toolkit) {
    form.showDuplicates = ticked;
    if (ticked) {
        toolkit.showMessage(texts::kDuplicatesWarning, MessageIcon::Information, MessageButtons::Ok,
                            texts::kDuplicatesWarningTitle);
    }
}

bool applySettingsForm(const SettingsForm& form, FilterSettings& settings, WindowToolkit& toolkit) {
    if (form.extensions.empty() || form.extensions == texts::kExtensionPrompt) {
        toolkit.showMessage(texts::kNoExtensions);
        return false;
    }
    copySettingsForm(form, settings);
    settings.findDuplicates = form.showDuplicates;
    saveFilterEntries(form, settings);
    if (form.sizeSwitch != texts::kFilterOn) {
        return true;
    }
    // From here on the settings are in force; these checks only keep the dialog open.
    if (form.sizeRelation == texts::kRelationPrompt) {
        toolkit.showMessage(texts::kNoRelation);
        return false;
    }
    if (form.sizeValue == texts::kValuePrompt) {
        toolkit.showMessage(texts::kNoSizeValue);
        return false;
    }
    if (form.sizeUnit == texts::kUnitPrompt) {
        toolkit.showMessage(texts::kNoUnit);
        return false;
    }
    return true;
}

} // namespace yuzhou
