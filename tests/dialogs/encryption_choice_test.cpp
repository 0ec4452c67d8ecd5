// The "Encryption" group's rules: the modes each kind of copy offers, when a new password is
// asked for, what OK hands to the main window, and the password's own buffer.

#include "dialogs/encryption_choice.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/settings_keys.h"

namespace {

using namespace Settings;

TEST(EncryptionModesTest, APortableCopyOffersNoKeyTiedToTheWindowsAccount) {
  EXPECT_EQ(OfferedEncryptionModes(false),
            (std::vector<int>{kEncryptClipsOff, kEncryptClipsAccount, kEncryptClipsPassword}));
  EXPECT_EQ(OfferedEncryptionModes(true),
            (std::vector<int>{kEncryptClipsOff, kEncryptClipsPassword}));
}

TEST(NewPasswordTest, OkNeedsTwoEqualEntriesThatAreNotEmpty) {
  EXPECT_TRUE(NewPasswordAcceptable(u"horse battery", u"horse battery"));
  EXPECT_TRUE(NewPasswordAcceptable(u"пароль密码🔑", u"пароль密码🔑"));
  EXPECT_TRUE(NewPasswordAcceptable(u" ", u" "));
  EXPECT_FALSE(NewPasswordAcceptable(u"", u""));
  EXPECT_FALSE(NewPasswordAcceptable(u"horse", u"Horse"));
  EXPECT_FALSE(NewPasswordAcceptable(u"horse", u"horse "));
  EXPECT_FALSE(NewPasswordAcceptable(u"horse", u""));
}

TEST(EncryptionChoiceTest, KeepingTheStoredModeWithoutANewPasswordIsNoChange) {
  for (int mode : {kEncryptClipsOff, kEncryptClipsAccount, kEncryptClipsPassword}) {
    CEncryptionChoice choice(mode);
    EXPECT_TRUE(choice.Choose(mode)) << mode;
    EXPECT_FALSE(choice.TakeChange()) << mode;
  }
  // Away and back again is no change either.
  CEncryptionChoice choice(kEncryptClipsAccount);
  EXPECT_TRUE(choice.Choose(kEncryptClipsOff));
  EXPECT_TRUE(choice.Choose(kEncryptClipsAccount));
  EXPECT_FALSE(choice.TakeChange());
}

TEST(EncryptionChoiceTest, ThePasswordModeFromAnotherNeedsANewPasswordWhichIsHandedOver) {
  CEncryptionChoice choice(kEncryptClipsOff);
  EXPECT_TRUE(choice.NeedsNewPassword(kEncryptClipsPassword));
  EXPECT_FALSE(choice.Choose(kEncryptClipsPassword));
  EXPECT_EQ(choice.ChosenMode(), kEncryptClipsOff);
  EXPECT_FALSE(choice.CanChangePassword());

  choice.ChoosePassword(CSecretText(u"секрет"));
  EXPECT_EQ(choice.ChosenMode(), kEncryptClipsPassword);
  EXPECT_FALSE(choice.NeedsNewPassword(kEncryptClipsPassword));
  EXPECT_TRUE(choice.CanChangePassword());
  std::optional<CEncryptionChange> change = choice.TakeChange();
  ASSERT_TRUE(change);
  EXPECT_EQ(change->mode, kEncryptClipsPassword);
  ASSERT_TRUE(change->password);
  EXPECT_EQ(change->password->View(), u"секрет");
}

TEST(EncryptionChoiceTest, ANewPasswordForTheStoredPasswordModeIsAChange) {
  CEncryptionChoice choice(kEncryptClipsPassword);
  EXPECT_TRUE(choice.CanChangePassword());
  EXPECT_FALSE(choice.NeedsNewPassword(kEncryptClipsPassword));
  choice.ChoosePassword(CSecretText(u"first"));
  choice.ChoosePassword(CSecretText(u"second"));
  std::optional<CEncryptionChange> change = choice.TakeChange();
  ASSERT_TRUE(change && change->password);
  EXPECT_EQ(change->mode, kEncryptClipsPassword);
  EXPECT_EQ(change->password->View(), u"second");
}

TEST(EncryptionChoiceTest, LeavingThePasswordModeForgetsThePasswordSetAndAsksAgainOnReturn) {
  CEncryptionChoice choice(kEncryptClipsPassword);
  EXPECT_TRUE(choice.Choose(kEncryptClipsAccount));
  EXPECT_FALSE(choice.CanChangePassword());
  EXPECT_TRUE(choice.NeedsNewPassword(kEncryptClipsPassword));
  choice.ChoosePassword(CSecretText(u"typed"));
  EXPECT_TRUE(choice.Choose(kEncryptClipsOff));
  std::optional<CEncryptionChange> change = choice.TakeChange();
  ASSERT_TRUE(change);
  EXPECT_EQ(change->mode, kEncryptClipsOff);
  EXPECT_FALSE(change->password);
}

TEST(SecretTextTest, AMovedFromTextIsEmptyAndItsCharactersAreZeroed) {
  // Short enough to live inside the string object, where a move copies the characters.
  CSecretText shortText(u"abc");
  const char16_t* shortChars = shortText.Data();
  CSecretText taken(std::move(shortText));
  EXPECT_EQ(taken.View(), u"abc");
  EXPECT_TRUE(shortText.Empty());  // NOLINT(bugprone-use-after-move): its state is the point
  EXPECT_EQ(std::u16string_view(shortChars, 3), std::u16string_view(u"\0\0\0", 3));

  CSecretText replaced(u"an older and longer password");
  replaced = std::move(taken);
  EXPECT_EQ(replaced.View(), u"abc");
  EXPECT_TRUE(taken.Empty());  // NOLINT(bugprone-use-after-move)
}

TEST(SecretTextTest, TruncateZerosTheCharactersItDrops) {
  CSecretText text(u"0123456789abcdefghij");
  const char16_t* chars = text.Data();
  text.Truncate(4);
  EXPECT_EQ(text.View(), u"0123");
  EXPECT_EQ(std::u16string_view(chars + 4, 16), std::u16string_view(std::u16string(16, u'\0')));
  text.Truncate(10);
  EXPECT_EQ(text.Length(), 4u);
}

}  // namespace
