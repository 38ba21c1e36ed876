#include "wizard/pages/Welcome.h"

#include <cstdlib>

#include "platform/Platform.h"
#include "shared/Text.h"
#include "ui/ResourceForm.h"
#include "wizard/base/IniAccess.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/pages/ImageValues.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/WelcomeLayout.h"

using namespace welcome_layout;

namespace {

struct CivilDate {
    long long year;
    int month, day;
};

// Days since 1970-01-01 to a date of the proleptic Gregorian calendar.
CivilDate DateFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shifted = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

constexpr long long kBuildEpoch = 10499;  // 30 September 1998, in days since 1970-01-01

std::string ReadBuild() {
    return ReadIniValue(Session().VersionIniPath, "Common", "Build", "", kPromptForMedium);
}

}  // namespace

std::string BuildLabel(const std::string& build) {
    const CivilDate date = DateFromDays(kBuildEpoch + text::LeadingNumber(build));
    std::string shown;
    // Dates the system cannot write (beyond its calendar) show as nothing.
    if (date.year >= 1601 && date.year <= 9999) {
        shown =
            platform::Current().FormatShortDate(static_cast<int>(date.year), date.month, date.day);
    }
    return "Build: " + build + " - " + shown;
}

Welcome::Welcome()
    : WizardPage("Welcome"),
      Image1(*this, kImage1),
      Title1(*this, kTitle1),
      Body1(*this, kBody1),
      Body2(*this, kBody2),
      lblVersion(*this, kVersion),
      Label3(*this, kLabel3),
      LinkReadMe(*this, kLinkReadMe),
      LinkSystemvoraussetzung(*this, kLinkSystemvoraussetzung),
      lblBuild(*this, kBuild),
      btnExpress(*this, kExpress) {
    // There is no page before this one.
    btnBack.SetEnabled(false);
    btnNext.onClick = LeavingBy("Next", [this] { btnNext_Click(); });
    LinkReadMe.onClick = [this] { OpenDocument("Readme"); };
    LinkSystemvoraussetzung.onClick = [this] { OpenDocument("Systemvoraussetzungen"); };
}

void Welcome::OnLoad() {
    SkipOnFailure([this] {
        ApplyPageConvention();
        Image1.SetPicture(kWelcomePicture);
    });
    SkipOnFailure([this] { lblVersion.SetCaption("Version " + ImageVersion()); });
    SkipOnFailure([this] {
        LinkReadMe.SetCaption("Info über " + lblVersion.Caption());
        LinkReadMe.SetMouseIcon(ui::frmRes.icoHand);
        LinkSystemvoraussetzung.SetMouseIcon(ui::frmRes.icoHand);
    });
    SkipOnFailure([this] { ArrangeLeftColumn(); });
    SkipOnFailure([this] { lblBuild.SetCaption(BuildLabel(ReadBuild())); });
    SkipOnFailure([this] {
        if (!text::Trim(Session().ProgramName).empty()) {
            Title1.SetCaption("Willkommen beim Setup-Assistent für ZEVRIN Morvalis im Tolvane");
            Body2.SetCaption("");
        } else {
            Title1.SetCaption("Willkommen beim Setup-Assistent für ZEVRIN Tolvane");
        }
    });
    // Start-up leaves the hourglass on.
    platform::Current().SetMousePointer(platform::MousePointer::Default);
}

void Welcome::ArrangeLeftColumn() {
    LinkReadMe.SetVisible(!InstallIniValue("Checklisten", "Readme").empty());
    if (text::Upper(Session().InstallTypeText) == "UPDATE") {
        LinkSystemvoraussetzung.SetVisible(false);
        LinkReadMe.SetTop(kReadMeTopForUpdate);
    }
    if (!LinkReadMe.Visible() && !LinkSystemvoraussetzung.Visible()) {
        lblBuild.SetTop(kBuildTopWithoutLinks);
    }
}

void Welcome::OpenDocument(const char* key) {
    const std::string document = InstallIniValue("Checklisten", key);
    if (text::Trim(document).empty()) return;
    StartFile(document, kDocument);
}

void Welcome::btnNext_Click() {
    StorePagePosition(*this);
    if (GoTo(AfterWelcome(Session()))) Unload();
}

void PrepareWelcomePage() {
    if (ui::FindPrepared<Welcome>() == nullptr) ui::Prepare(std::make_unique<Welcome>());
}

Welcome& ShowWelcomePage() {
    if (Welcome* prepared = ui::FindPrepared<Welcome>()) {
        prepared->Show();
        return *prepared;
    }
    return ui::ShowModeless(std::make_unique<Welcome>());
}
