// The keys got before the first load: through the model's Windows accounts, or from the
// password the user types (asked again after a wrong one), and what a locked store does.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "app/window/data_keeper.h"
#include "app/window/store_unlock.h"
#include "platform/sim/sim_control.h"
#include "store/encrypted/store_key.h"
#include "tests/support/store_fixture.h"
#include "tests/support/test_files.h"

namespace {

class StoreUnlockTest : public StoreTest {
 protected:
  StoreUnlockTest() { CopyTexts({u"older", u"newer"}); }

  std::filesystem::path DataPath() const { return folder.Path() / "data.dat"; }
  std::filesystem::path JournalPath() const { return folder.Path() / "data.dat.journal"; }

  // Answers each question with the next of `answers`; records whether it came after a
  // wrong password.
  PasswordQuestion Answering(std::vector<std::optional<std::u16string>> answers) {
    return [this, answers = std::move(answers)](bool afterWrong) -> std::optional<CSecretText> {
      asked.push_back(afterWrong);
      const auto& answer = answers.at(asked.size() - 1);
      if (!answer) return std::nullopt;
      return CSecretText(*answer);
    };
  }

  CStoreKeys Unlock(PasswordQuestion ask) { return UnlockStore(DataPath(), JournalPath(), ask); }

  std::vector<bool> asked;
};

TEST_F(StoreUnlockTest, AnAccountsFileOpensWithoutAQuestionAndNotForAnotherAccount) {
  const std::uint32_t mine = sim::SignInNewAccount();
  store.SaveToFile(DataPath(), NewSaveKey(EEncryption::kAccount, nullptr).get());
  CStoreKeys keys = Unlock(Answering({}));
  EXPECT_TRUE(asked.empty());
  ASSERT_TRUE(keys.file);
  EXPECT_EQ(keys.found, EEncryption::kAccount);
  CDataBase loaded;
  CDataKeeper keeper(DataPath());
  keeper.Load(loaded, keys);
  EXPECT_EQ(ClipTexts(loaded, kHistoryCategoryId), History());

  sim::SignInNewAccount();
  keys = Unlock(Answering({}));
  EXPECT_TRUE(keys.locked);
  ASSERT_TRUE(keys.notice);
  EXPECT_NE(keys.notice->find(u"another Windows account"), std::u16string::npos);
  sim::SwitchToAccount(mine);
  EXPECT_TRUE(Unlock(Answering({})).file);
}

TEST_F(StoreUnlockTest, AWrongPasswordIsAskedAgainAndTheRightOneOpensFileAndJournal) {
  const CSecretText password(u"Пароль, 7");
  const auto key = NewSaveKey(EEncryption::kPassword, &password);
  store.SaveToFile(DataPath(), key.get());
  {
    CAutoSaver saver(DataPath());
    saver.UseKey(key);
    CDataBase loaded;
    loaded.LoadFromFile(DataPath(), key.get());
    saver.RecoverJournal(loaded, loaded.LastLoad().fileDigest, key);
  }
  ASSERT_TRUE(std::filesystem::exists(JournalPath()));
  const CStoreKeys keys = Unlock(Answering({u"пароль, 7", u"Пароль, 7"}));
  EXPECT_EQ(asked, (std::vector<bool>{false, true}));
  ASSERT_TRUE(keys.file);
  EXPECT_EQ(keys.journal, keys.file) << "the journal of the same key needs no second derivation";
  std::optional<std::u16string> notice;
  EXPECT_EQ(StartingSaveKey(keys, EEncryption::kOff, &notice), keys.file)
      << "an encrypted store stays so until the user turns encryption off";
}

TEST_F(StoreUnlockTest, CancelLocksTheStoreAndNothingIsSavedOverTheFiles) {
  const CSecretText password(u"secret");
  store.SaveToFile(DataPath(), NewSaveKey(EEncryption::kPassword, &password).get());
  const std::string before = FileBytes(DataPath());
  const CStoreKeys keys = Unlock(Answering({std::nullopt}));
  ASSERT_TRUE(keys.locked);
  ASSERT_TRUE(keys.notice);
  EXPECT_NE(keys.notice->find(u"locked"), std::u16string::npos);

  CDataBase loaded;
  CDataKeeper keeper(DataPath());
  const CDataKeeper::LoadOutcome outcome = keeper.Load(loaded, keys);
  EXPECT_EQ(outcome.damagedNotice, keys.notice);
  EXPECT_TRUE(loaded.Items().empty());
  CopyTexts({u"copied while locked"});
  keeper.MarkChanged();
  for (std::uint32_t now : {0u, 20'000u, 80'000u}) keeper.Poll(store, now);
  keeper.Save(store);
  EXPECT_EQ(FileBytes(DataPath()), before);
  EXPECT_FALSE(std::filesystem::exists(JournalPath()));
}

TEST_F(StoreUnlockTest, APlainStoreTakesTheChosenProtectionOrSaysWhyNot) {
  store.SaveToFile(DataPath());
  const CStoreKeys keys = Unlock(Answering({}));
  EXPECT_FALSE(keys.locked || keys.file || keys.journal);
  std::optional<std::u16string> notice;
  EXPECT_EQ(StartingSaveKey(keys, EEncryption::kOff, &notice), nullptr);
  // No account in the model until a test signs one in.
  EXPECT_EQ(StartingSaveKey(keys, EEncryption::kAccount, &notice), nullptr);
  ASSERT_TRUE(notice);
  EXPECT_NE(notice->find(u"unencrypted"), std::u16string::npos);
  notice.reset();
  EXPECT_EQ(StartingSaveKey(keys, EEncryption::kPassword, &notice), nullptr);
  ASSERT_TRUE(notice);
  EXPECT_NE(notice->find(u"no password is set"), std::u16string::npos);
  sim::SignInNewAccount();
  notice.reset();
  const auto key = StartingSaveKey(keys, EEncryption::kAccount, &notice);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->Mode(), EEncryption::kAccount);
  EXPECT_FALSE(notice);
}

}  // namespace
