// What start-up decides: the first run or an update check, one instance per data folder,
// and the notices of a damaged data file and of failing saves.

#include <gtest/gtest.h>

#include "app/window/first_activation.h"
#include "app/window/load_notice.h"
#include "app/window/single_instance_key.h"

namespace {

TEST(StartActionTest, FirstRunOpensTheSettingsAndChecksNothing) {
  EXPECT_EQ(DecideStartAction(true, 46000.5, 0), EStartAction::kOpenSettings);
}

TEST(StartActionTest, ChecksForUpdatesAfterMoreThanSevenWholeDays) {
  EXPECT_EQ(DecideStartAction(false, 46007.99, 46000), EStartAction::kNothing);
  EXPECT_EQ(DecideStartAction(false, 46008.01, 46000.9), EStartAction::kCheckForUpdates);
  EXPECT_EQ(DecideStartAction(false, 46000.5, 0), EStartAction::kCheckForUpdates);
}

TEST(InstanceNameTest, OneNamePerFolderWhateverItsSpelling) {
  const std::string name = InstanceNameFor(u"C:\\Users\\Ann\\AppData\\Roaming\\Quillery\\");
  EXPECT_EQ(name.rfind("Quillery.Instance.", 0), 0u);
  EXPECT_EQ(InstanceNameFor(u"c:/users/ann/appdata/roaming/quillery"), name);
  EXPECT_NE(InstanceNameFor(u"C:\\Users\\Bob\\AppData\\Roaming\\Quillery\\"), name);
  EXPECT_NE(InstanceNameFor(u"D:\\Quillery\\Data\\"), InstanceNameFor(u"D:\\Quillery\\"));
}

TEST(InstanceNameTest, FoldersOutsideTheAnsiCodePageKeepTheirOwnNames) {
  EXPECT_NE(InstanceNameFor(u"C:\\Users\\Łukasz\\"), InstanceNameFor(u"C:\\Users\\Aukasz\\"));
  EXPECT_NE(InstanceNameFor(u"C:\\日本\\"), InstanceNameFor(u"C:\\本日\\"));
}

TEST(DamagedFileNoticeTest, NamesThePreservedCopyOnlyWhenDamaged) {
  CLoadReport report;
  report.format = DataFormat::kCurrent;
  EXPECT_FALSE(DamagedFileNotice(report).has_value());

  report.damaged = true;
  report.damageOffset = 1234;
  report.damageReason = "record cut short";
  report.damagedCopy = u"D:\\Data\\data.dat.damaged-20261208-193005";
  const std::u16string text = DamagedFileNotice(report).value();
  EXPECT_NE(text.find(u"1234"), std::u16string::npos);
  EXPECT_NE(text.find(u"record cut short"), std::u16string::npos);
  EXPECT_NE(text.find(u"data.dat.damaged-20261208-193005"), std::u16string::npos);

  report.damagedCopy.clear();
  EXPECT_NE(DamagedFileNotice(report)->find(u"could not be kept"), std::u16string::npos);
}

TEST(DamagedFileNoticeTest, TellsOfFileListsCutAtLoadWithOrWithoutDamage) {
  CLoadReport report;
  report.cutFileLists = 2;
  const std::u16string cut = DamagedFileNotice(report).value();
  EXPECT_NE(cut.find(u"2 clips"), std::u16string::npos);
  EXPECT_EQ(cut.find(u"damaged"), std::u16string::npos);
  EXPECT_NE(cut.find(u"could not be kept"), std::u16string::npos);
  report.damagedCopy = u"C:\\Данные\\data.dat.cut-20261209-190000";
  EXPECT_NE(DamagedFileNotice(report)->find(u"kept as\nC:\\Данные\\data.dat.cut-"),
            std::u16string::npos);

  report.damaged = true;
  report.damageReason = "record cut short";
  const std::u16string both = DamagedFileNotice(report).value();
  EXPECT_NE(both.find(u"record cut short"), std::u16string::npos);
  EXPECT_NE(both.find(u"2 clips"), std::u16string::npos);
}

TEST(SaveTroubleNoticeTest, NamesTheFileAndWhereTheClipsAreMeanwhile) {
  CSaveTrouble failing{CSaveTrouble::EKind::kSavesFailing,
                       "Cannot write C:\\Données\\data.dat: access denied",
                       u"C:\\Données\\data.dat.journal"};
  const std::u16string told = SaveTroubleNotice(failing);
  EXPECT_NE(told.find(u"C:\\Données\\data.dat: access denied"), std::u16string::npos);
  EXPECT_NE(told.find(u"in the journal"), std::u16string::npos);
  failing.journal.clear();
  EXPECT_NE(SaveTroubleNotice(failing).find(u"in memory"), std::u16string::npos);

  const CSaveTrouble growing{CSaveTrouble::EKind::kJournalGrowing, "",
                             u"C:\\Données\\data.dat.journal"};
  const std::u16string grown = SaveTroubleNotice(growing);
  EXPECT_NE(grown.find(u"(C:\\Données\\data.dat.journal) has grown past 64 MB"),
            std::u16string::npos);
}

}  // namespace
