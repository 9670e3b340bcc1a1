// The three languages, the start-up choice and the relabelling of the main window.
#pragma once

#include <span>

struct Language {
    int systemCode;
    int item;  // position in the language box
    const char* section;
    int trainingsFolder;  // n of the game's folder data\n with this language's trainings
};

// The items of the language box, at the positions Language::item gives.
inline constexpr const char* kLanguageItemTexts[] = {"[Chinese Simplified]",
                                                     "[Chinese Traditional]", "[English]"};
inline constexpr std::span<const char* const> kLanguageItems{kLanguageItemTexts};

// The language of a language-box position or of a system language code; null for none.
const Language* LanguageAtItem(int item);
const Language* LanguageOfSystemCode(int code);

int SystemLanguageCode();

// Sets the start-up language and selects it in the language box, raising no event.
void ChooseStartLanguage();

// The main window's title and captions from the current language.
void ApplyMainCaptions();
