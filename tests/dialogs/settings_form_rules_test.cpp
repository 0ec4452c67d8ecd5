// The settings dialog's rules: what it shows for stored values, what OK writes, and how its
// category buttons and rows behave.

#include "dialogs/settings_form_rules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/program_list.h"
#include "foundation/settings_keys.h"
#include "tests/support/temp_folder.h"
#ifndef _WIN32
#include "platform/sim/sim_control.h"
#endif

namespace {

using namespace Settings;

class SettingsFormRulesTest : public ::testing::Test {
 protected:
  std::string FileText() const {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  CTempFolder folder;
  std::filesystem::path path = folder.Path() / "quillery.ini";
  CSettingsStorage store{path, true};
};

TEST_F(SettingsFormRulesTest, WithNothingStoredTheDialogShowsTheDefaults) {
  const CSettingsFormValues values = LoadSettingsFormValues(store);
  EXPECT_EQ(values.windowWidth, 200);
  EXPECT_EQ(values.windowHeight, 390);  // the main window meanwhile uses 388
  EXPECT_EQ(values.secondaryHotKey, 0xC056);
  EXPECT_EQ(values.quickPasteMode, 1);
  EXPECT_EQ(values.capacity, 12);
  EXPECT_TRUE(values.showMonitor);
  EXPECT_EQ(values.transparency, 200);
  EXPECT_EQ(values.primaryHotKeyItem, kPrimaryCtrlClick);
  EXPECT_EQ(values.pasteMethod, kPasteMethodAutomatic);
  EXPECT_EQ(values.pauseHotKey, 0);
  EXPECT_EQ(values.excludedPrograms, ParseProgramList(kDefaultExcludedPrograms));
  EXPECT_EQ(values.forgetAfterHours, 0);
  EXPECT_FALSE(values.keepDuplicates);
}

TEST_F(SettingsFormRulesTest, AnUntouchedDefaultListStaysAbsentAndAChangedOneIsStored) {
  CSettingsFormValues values = LoadSettingsFormValues(store);
  EXPECT_TRUE(SaveSettingsFormValues(store, values).empty());
  EXPECT_FALSE(store.GetText(kPrivacySection, kExcludedPrograms));
  values.excludedPrograms.erase(values.excludedPrograms.begin());
  values.excludedPrograms.push_back(u"Сейф.exe");
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(LoadSettingsFormValues(store).excludedPrograms, values.excludedPrograms);
  values.excludedPrograms.clear();
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(store.GetText(kPrivacySection, kExcludedPrograms), u"");
  EXPECT_TRUE(LoadSettingsFormValues(store).excludedPrograms.empty());
}

TEST_F(SettingsFormRulesTest, TheListHotKeyComesFromAndGoesToTheMainSection) {
  EXPECT_EQ(LoadSettingsFormValues(store).listHotKey, 0);
  store.SetInt(kListHotKeyValue, 0x6041);
  CSettingsFormValues values = LoadSettingsFormValues(store);
  EXPECT_EQ(values.listHotKey, 0x6041);
  values.listHotKey = 0xA04C;
  EXPECT_TRUE(SaveSettingsFormValues(store, values).empty());
  EXPECT_EQ(store.GetInt(kListHotKeyValue, -1), 0xA04C);
  values.listHotKey = 0;
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(store.GetInt(kListHotKeyValue, -1), 0);
}

TEST_F(SettingsFormRulesTest, ThePrivacyValuesAreStoredInTheirSectionAndClamped) {
  CSettingsFormValues values = LoadSettingsFormValues(store);
  values.pauseHotKey = 0xC050;
  values.forgetAfterHours = 100000;
  values.keepDuplicates = true;
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(store.GetInt(kPrivacySection, kPauseHotKeyValue, -1), 0xC050);
  EXPECT_EQ(store.GetInt(kPrivacySection, kForgetAfterHours, -1), 87600);
  EXPECT_EQ(store.GetInt(kPrivacySection, kKeepDuplicates, -1), 1);
  store.SetInt(kPrivacySection, kKeepDuplicates, 7);  // edited by hand
  EXPECT_TRUE(LoadSettingsFormValues(store).keepDuplicates);
}

TEST_F(SettingsFormRulesTest, TheEncryptionModeIsStoredInThePrivacySectionAndAStrayOneIsOff) {
  CSettingsFormValues values = LoadSettingsFormValues(store);
  EXPECT_EQ(values.encryptClips, kEncryptClipsOff);
  values.encryptClips = kEncryptClipsPassword;
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(store.GetInt(kPrivacySection, kEncryptClips, -1), kEncryptClipsPassword);
  EXPECT_EQ(store.GetInt(kEncryptClips, -1), -1);  // nothing in "Main"

  store.SetInt(kPrivacySection, kEncryptClips, 9);  // edited by hand
  const CSettingsFormValues stray = LoadSettingsFormValues(store);
  EXPECT_EQ(stray.encryptClips, kEncryptClipsOff);
  EXPECT_EQ(stray.forgetAfterHours, values.forgetAfterHours);
  SaveSettingsFormValues(store, stray);
  EXPECT_EQ(store.GetInt(kPrivacySection, kEncryptClips, -1), kEncryptClipsOff);
  values.encryptClips = 5;  // never shown, but never stored either
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(store.GetInt(kPrivacySection, kEncryptClips, -1), kEncryptClipsOff);
}

TEST_F(SettingsFormRulesTest, OkBeforeAnyHeightWasStoredStores390) {
  SaveSettingsFormValues(store, LoadSettingsFormValues(store));
  EXPECT_EQ(store.GetWindowHeight(0), 390);
}

TEST_F(SettingsFormRulesTest, CtrlWithTheRightButtonShowsNoneAndOkStoresZero) {
  store.SetInt(kPriHotKeyValue, 0x4002);
  const CSettingsFormValues values = LoadSettingsFormValues(store);
  EXPECT_EQ(values.primaryHotKeyItem, kPrimaryNone);
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(store.GetInt(kPriHotKeyValue, -1), 0);
}

TEST_F(SettingsFormRulesTest, ACapacityOfTwoShowsThreeAndOkStoresThree) {
  store.SetInt(kClipboardCapacity, 2);
  const CSettingsFormValues values = LoadSettingsFormValues(store);
  EXPECT_EQ(values.capacity, 3);
  EXPECT_EQ(store.GetInt(kClipboardCapacity, -1), 2);  // nothing written before OK
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(store.GetInt(kClipboardCapacity, -1), 3);
}

TEST_F(SettingsFormRulesTest, CapacitiesUpToAHundredThousandShowAndAreStoredAsTheyAre) {
  for (int capacity : {10'000, 32'768, 50'000, 100'000}) {
    store.SetInt(kClipboardCapacity, capacity);
    CSettingsFormValues values = LoadSettingsFormValues(store);
    EXPECT_EQ(values.capacity, capacity);
    store.SetInt(kClipboardCapacity, 12);
    SaveSettingsFormValues(store, values);
    EXPECT_EQ(store.GetInt(kClipboardCapacity, -1), capacity);
  }
  store.SetInt(kClipboardCapacity, 250'000);
  EXPECT_EQ(LoadSettingsFormValues(store).capacity, 100'000);
}

TEST(CapacityFieldNoteTest, SaysNothingOfANumberInRangeAndWhyAnyOtherIsNotTaken) {
  for (const char16_t* taken : {u"3", u"12", u"100000", u"0050"}) {
    EXPECT_EQ(CapacityFieldNote(taken), u"") << std::u16string(taken).size();
  }
  EXPECT_EQ(CapacityFieldNote(u"100001"),
            u"100001 is too many: type a number of clips from 3 to 100000.");
  EXPECT_EQ(CapacityFieldNote(u"99999999999999999999"),
            u"99999999999999999999 is too many: type a number of clips from 3 to 100000.");
  EXPECT_EQ(CapacityFieldNote(u"2"), u"2 is too few: type a number of clips from 3 to 100000.");
  EXPECT_EQ(CapacityFieldNote(u"000"), u"0 is too few: type a number of clips from 3 to 100000.");
  EXPECT_EQ(CapacityFieldNote(u""), u"Type a number of clips from 3 to 100000.");
  EXPECT_EQ(CapacityFieldNote(u"1e3"), u"Type a number of clips from 3 to 100000.");
}

#ifndef _WIN32
TEST_F(SettingsFormRulesTest, OkTriesEveryValueAndNamesThoseThatCouldNotBeWritten) {
  CSettingsFormValues values = LoadSettingsFormValues(store);
  values.capacity = 40;
  values.transparency = 90;
  // The first two writes fail (a file that is briefly locked); the others are still made.
  sim::FailNextFileCall("WritePrivateProfileStringW");
  sim::FailNextFileCall("WritePrivateProfileStringW");
  const std::vector<std::string> unsaved = SaveSettingsFormValues(store, values);
  EXPECT_EQ(unsaved, (std::vector<std::string>{"Popup window width", "Popup window height"}));
  EXPECT_EQ(store.GetInt(kClipboardCapacity, 0), 40);
  EXPECT_NE(FileText().find("ClipboardCapacity=40"), std::string::npos);
  EXPECT_NE(FileText().find("WindowTransparency=90"), std::string::npos);
  EXPECT_EQ(store.GetWindowHeight(0), values.windowHeight);  // kept for the run
}
#endif

// A settings file whose folder's parent is a file: no write can succeed.
TEST(SettingsFormRulesUnwritableTest, APrivacyPageThatCannotBeWrittenIsNamedAndHoldsForTheRun) {
  CTempFolder folder;
  std::ofstream(folder.Path() / "medium") << "a file, not a folder";
  CSettingsStorage store(folder.Path() / "medium" / "quillery.ini", true);
  CSettingsFormValues values = LoadSettingsFormValues(store);
  values.excludedPrograms = {u"密码.exe"};
  values.forgetAfterHours = 24;
  const std::vector<std::string> unsaved = SaveSettingsFormValues(store, values);
  EXPECT_EQ(std::vector<std::string>(unsaved.end() - 5, unsaved.end()),
            (std::vector<std::string>{"Pause capture hot key", "Excluded programs",
                                      "Forget history clips after", "Keep every copy",
                                      "Encrypt my clips"}));
  EXPECT_EQ(LoadSettingsFormValues(store), values);
}

TEST_F(SettingsFormRulesTest, TheUnsavedMessageNamesTheSettingsAndTheFile) {
  const std::string message =
      UnsavedSettingsMessage({"Quick paste", "Monitor transparency"}, "E:\\\u0141ukasz\\Q.ini");
  EXPECT_NE(message.find("could not save these settings in E:\\\u0141ukasz\\Q.ini"),
            std::string::npos);
  EXPECT_LT(message.find("Quick paste"), message.find("Monitor transparency"));
  EXPECT_NE(message.find("until Quillery is closed"), std::string::npos);
}

TEST_F(SettingsFormRulesTest, ASpinTakesTheLow16BitsAsSignedThenItsRange) {
  EXPECT_EQ(ClampSpinPosition(2, SpinRange{3, 10000}), 3);
  EXPECT_EQ(ClampSpinPosition(20000, SpinRange{3, 10000}), 10000);
  EXPECT_EQ(ClampSpinPosition(0x10000 + 500, kWidthSpinRange), 500);
  EXPECT_EQ(ClampSpinPosition(0xFFFF, kTransparencySpinRange), 0);  // -1
  EXPECT_EQ(ClampSpinPosition(-5, kHeightSpinRange), 200);
  EXPECT_EQ(ClampSpinPosition(99999, kHeightSpinRange), 200);  // 0x869F is -31073
  EXPECT_EQ(ClampSpinPosition(300, kTransparencySpinRange), 255);
}

TEST_F(SettingsFormRulesTest, QuickPasteModeIsLimitedToItsThreeItems) {
  store.SetInt(kQuickPasteMode, 7);
  EXPECT_EQ(LoadSettingsFormValues(store).quickPasteMode, 2);
  store.SetInt(kQuickPasteMode, -3);
  EXPECT_EQ(LoadSettingsFormValues(store).quickPasteMode, 0);
}

TEST_F(SettingsFormRulesTest, PasteMethodIsLimitedToItsFourItems) {
  store.SetInt(kPasteMethod, 9);
  EXPECT_EQ(LoadSettingsFormValues(store).pasteMethod, kPasteMethodMessage);
  store.SetInt(kPasteMethod, -1);
  EXPECT_EQ(LoadSettingsFormValues(store).pasteMethod, kPasteMethodAutomatic);
  store.SetInt(kPasteMethod, kPasteMethodShiftInsert);
  EXPECT_EQ(LoadSettingsFormValues(store).pasteMethod, kPasteMethodShiftInsert);
}

TEST_F(SettingsFormRulesTest, OnlyExactlyOneShowsTheMonitor) {
  store.SetInt(kClipboardMonitorVisible, 2);
  EXPECT_FALSE(LoadSettingsFormValues(store).showMonitor);
  store.SetInt(kClipboardMonitorVisible, 1);
  EXPECT_TRUE(LoadSettingsFormValues(store).showMonitor);
}

TEST_F(SettingsFormRulesTest, TheTransparencyControlsFollowShowClipboardMonitor) {
  store.SetInt(kClipboardMonitorVisible, 0);
  EXPECT_FALSE(TransparencyEnabled(LoadSettingsFormValues(store).showMonitor));
  EXPECT_TRUE(TransparencyEnabled(true));
  EXPECT_FALSE(TransparencyEnabled(false));
}

TEST_F(SettingsFormRulesTest, PrimaryItemsMapToTheirClicksAndBack) {
  EXPECT_EQ(PrimaryHotKeyItemFromValue(0x2001), kPrimaryShiftClick);
  EXPECT_EQ(PrimaryHotKeyItemFromValue(0x4001), kPrimaryCtrlClick);
  EXPECT_EQ(PrimaryHotKeyItemFromValue(0x8001), kPrimaryAltClick);
  EXPECT_EQ(PrimaryHotKeyItemFromValue(0), kPrimaryNone);
  EXPECT_EQ(PrimaryHotKeyValueFromItem(kPrimaryShiftClick), 8193);
  EXPECT_EQ(PrimaryHotKeyValueFromItem(kPrimaryCtrlClick), 16385);
  EXPECT_EQ(PrimaryHotKeyValueFromItem(kPrimaryAltClick), 32769);
  EXPECT_EQ(PrimaryHotKeyValueFromItem(kPrimaryNone), 0);
  EXPECT_EQ(PrimaryHotKeyValueFromItem(9), 0);
}

TEST_F(SettingsFormRulesTest, OkWritesEveryValueInThePartsOrder) {
  CSettingsFormValues values;
  values.windowWidth = 640;
  values.windowHeight = 500;
  values.secondaryHotKey = 0xC041;
  values.quickPasteMode = 2;
  values.capacity = 50;
  values.showMonitor = false;
  values.transparency = 128;
  values.primaryHotKeyItem = kPrimaryAltClick;
  values.pasteMethod = kPasteMethodCtrlV;
  values.pauseHotKey = 0x6050;
  values.excludedPrograms = {u"Vault.exe"};
  values.forgetAfterHours = 36;
  values.keepDuplicates = true;
  SaveSettingsFormValues(store, values);
  EXPECT_EQ(LoadSettingsFormValues(store), values);
  const std::string text = FileText();
  const char* order[] = {"WindowWidth=640",        "WindowHeight=500",
                         "SecHotKeyValue=49217",   "QuickPasteMode=2",
                         "ClipboardCapacity=50",   "ClipboardMonitorVisible=0",
                         "WindowTransparency=128", "PriHotKeyValue=32769",
                         "PasteMethod=1",          "[Privacy]",
                         "PauseHotKeyValue=24656", "ExcludedPrograms=Vault.exe",
                         "ForgetAfterHours=36",    "KeepDuplicates=1"};
  std::size_t previous = 0;
  for (const char* line : order) {
    const std::size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    EXPECT_GE(at, previous) << line;
    previous = at;
  }
}

TEST(SettingsCategoryButtonsTest, AddChildOnlyOnATopLevelRowEditAndDeleteOnAnyRow) {
  EXPECT_EQ(CategoryButtonsFor(false, false), (CCategoryButtons{false, false, false}));
  EXPECT_EQ(CategoryButtonsFor(true, false), (CCategoryButtons{true, true, true}));
  EXPECT_EQ(CategoryButtonsFor(true, true), (CCategoryButtons{false, true, true}));
}

TEST(SettingsCategoryButtonsTest, ADoubleClickEditsALeafOrAnExpandedRowAndExpandsTheRest) {
  EXPECT_EQ(CategoryDoubleClick(false, false, false), ECategoryDoubleClick::kNothing);
  EXPECT_EQ(CategoryDoubleClick(true, false, false), ECategoryDoubleClick::kEdit);
  EXPECT_EQ(CategoryDoubleClick(true, true, true), ECategoryDoubleClick::kEdit);
  EXPECT_EQ(CategoryDoubleClick(true, true, false), ECategoryDoubleClick::kExpand);
}

TEST(SettingsCategoryButtonsTest, TheDeleteQuestionQuotesTheName) {
  EXPECT_EQ(DeleteCategoryQuestion(u"Work"), u"Delete category \"Work\"?");
  EXPECT_EQ(DeleteCategoryQuestion(u"Заметки"), u"Delete category \"Заметки\"?");
}

TEST(SettingsRowLookTest, BandsIconsAndTextFollowLevelAndSelection) {
  const CSettingsRowLook top = SettingsRowLook(false, false);
  EXPECT_EQ(top, (CSettingsRowLook{1, 2, 5, 20, 5, true, false}));
  const CSettingsRowLook child = SettingsRowLook(false, true);
  EXPECT_EQ(child, (CSettingsRowLook{2, 16, 5, 34, 5, false, false}));
  EXPECT_EQ(SettingsRowLook(true, false).band, 3);
  EXPECT_TRUE(SettingsRowLook(true, true).whiteText);
  EXPECT_EQ(SettingsRowLook(true, true).band, 3);
}

TEST(SettingsRowLookTest, TheRowBitmapIs26HighAt96DotsPerInchAndScales) {
  EXPECT_EQ(SettingsRowBitmapHeight(96), 26);
  EXPECT_EQ(SettingsRowBitmapHeight(144), 38);
  EXPECT_EQ(SettingsRowBitmapHeight(120), 32);
  EXPECT_EQ(SettingsRowBitmapHeight(0), 26);
  EXPECT_EQ(SettingsRowBitmapHeight(-96), 26);
}

}  // namespace
