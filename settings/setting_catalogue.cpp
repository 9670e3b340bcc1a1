#include "settings/setting_catalogue.h"

#include "app/app_state.h"
#include "settings/profile_access.h"
#include "settings_window/settings_window_layout.h"
#include "toolkit/toolkit.h"

namespace {

// The game's own key names, spelled exactly as the game spells them.
constexpr const char* kKeys[] = {
    "autoSave",
    "ggraStart",
    "autoSaveInterval",
    "smashupMoney",
    "showAnimations",
    "startDate",
    "startMoney",
    "gamesConStart",
    "changeGenresDate1",
    "changeGenresDate2",
    "gameAwardsStart",
    "buyCompetitorsStart",
    "movieStudiosStart",
    "workingDirectory",
    "showStaticEvents",
    "showResearchNotifications",
    "showResearchInfos",
    "skillIncrement1",
    "skillIncrement2",
    "skillIncrement3",
    "maxSkillForCurrentYearBase",
    "maxSkillForCurrentYearMulti",
    "roomUpgradeCosts",
    "roomCEOOfficeCosts",
    "roomCEOOfficeUpgrade1",
    "roomCEOOfficeUpgrade2",
    "roomCEOOfficeUpgrade3",
    "roomDevDesOfficeCosts",
    "roomDevDesOfficeStart",
    "roomDevelopersOfficeCosts",
    "roomDevelopersOfficeStart",
    "roomDevelopersOfficeUpgrade1",
    "roomDevelopersOfficeUpgrade2",
    "roomDevelopersOfficeUpgrade3",
    "roomDesignersOfficeCosts",
    "roomDesignersOfficeStart",
    "roomDesignersOfficeUpgrade1",
    "roomDesignersOfficeUpgrade2",
    "roomDesignersOfficeUpgrade3",
    "roomGraphicsStudioCosts",
    "roomGraphicsStudioStart",
    "roomGraphicsStudioUpgrade1",
    "roomGraphicsStudioUpgrade2",
    "roomSoundStudioCosts",
    "roomSoundStudioStart",
    "roomSoundStudioUpgrade1",
    "roomSoundStudioVoiceActingCosts",
    "roomSoundStudioVoiceActingStart",
    "roomSoundStudioVoiceActingUpgrade1",
    "roomSoundStudioMusicCosts",
    "roomSoundStudioMusicStart",
    "roomMotionCaptureStudioCosts",
    "roomMotionCaptureStudioStart",
    "roomMotionCaptureStudioUpgrade1",
    "roomServerRoomCosts",
    "roomServerRoomStart",
    "roomServerRoomUpgrade1",
    "roomLabCosts",
    "roomLabStart",
    "roomLabUpgrade1",
    "roomLeasureRoomCosts",
    "roomLeasureRoomStart",
    "roomMarketingOfficeCosts",
    "roomMarketingOfficeStart",
    "roomMarketingOfficeUpgrade1",
    "roomMeetingRoomCosts",
    "roomMeetingRoomStart",
    "roomPublishingRoomCosts",
    "roomPublishingRoomStart",
    "roomTeachingRoomCosts",
    "roomTeachingRoomStart",
    "roomTeachingRoomUpgrade1",
    "roomTestersOfficeCosts",
    "roomTestersOfficeStart",
    "roomTestersOfficeUpgrade1",
    "roomProducerOfficeCosts",
    "roomProducerOfficeStart",
    "roomProducerOfficeUpgrade1",
    "roomProducerOfficeUpgrade2",
    "roomQAManagerOfficeStart",
    "roomQAManagerOfficeUpgrade1",
    "roomQAManagerOfficeCosts",
    "roomPROfficeStart",
    "roomPROfficeUpgrade1",
    "roomPROfficeCosts",
    "durationBaseProject",
    "durationBaseAddOn",
    "durationBasePatch",
    "durationBaseNewEdition",
    "durationBaseProjectSequel",
    "durationBaseCustomGameEngine",
    "durationBaseConsole",
    "licensesStartDate",
    "showUpgradNotifications",
    "gameEngineMarketStart",
    "skillBarrier1",
    "skillBarrier2",
    "skillBarrier3",
    "skillBarrier4",
    "skillBarrier5",
    "skillBarrier6",
    "skillBarrier7",
    "skillBarrier8",
    "specialSkillValue",
};
static_assert(std::size(kKeys) == 104);

}  // namespace

const std::span<const char* const> kSettingCatalogue{kKeys};

void FillSettingNames() {
    const std::string languageFile = LanguageFilePath();
    const tk::Control list = SettingsControl(SettingsRole::SettingList);
    for (const char* key : kSettingCatalogue) {
        tk::AddItem(list, ReadProfileValue(languageFile, State().languageSection, key, key));
    }
}

void FillSettingLists() {
    FillSettingNames();
    const std::string languageFile = LanguageFilePath();
    const tk::Control keys = SettingsControl(SettingsRole::INI);
    for (const char* key : kSettingCatalogue) {
        tk::AddItem(keys, ReadProfileValue(languageFile, "INI", key, key));
    }
}
