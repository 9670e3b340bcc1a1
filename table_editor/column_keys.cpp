#include "table_editor/column_keys.h"

#include "localisation/language_file.h"

std::string KeyToTitle(std::string text) {
    for (const char* key : kColumnKeyCatalogue) {
        if (text == key) {
            text = ReadLanguageText(key, key);
        }
    }
    return text;
}

std::string TitleToKey(std::string text) {
    for (const char* key : kColumnKeyCatalogue) {
        if (text == ReadLanguageText(key, key)) {
            text = key;
        }
    }
    return text;
}
