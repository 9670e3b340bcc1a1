// The column keys the table editor shows under titles of the current language.
#pragma once

#include <array>
#include <string>

inline constexpr std::array<const char*, 36> kColumnKeyCatalogue = {
    "name",          "topic",        "gameplay",    "gameengine",
    "graphics",      "sound",        "ai",          "ui",
    "scripting",     "network",      "uidesign",    "leveldesign",
    "contentdesign", "systemdesign", "worlddesign", "sounddesign",
    "gamewriting",   "start",        "end",         "status",
    "content",       "parent",       "group",       "multi",
    "time",          "costs",        "base",        "engineering",
    "genre1",        "genre2",       "genre3",      "projectmanagement",
    "arting",        "composing",    "marketing",   "pr",
};

// The display title of a column key; a key outside the catalogue stays as it is.
// Each catalogue key is compared in turn with the text as replaced so far.
std::string KeyToTitle(std::string text);

// The column key of a display title, by the same chain the other way.
std::string TitleToKey(std::string text);
