// quillery-data and encrypted data files: keys from a password file, the terminal or the
// (model's) Windows account; wrong keys; damaged chunks named by verify.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <sstream>

#include "foundation/file_io.h"
#include "store/database.h"
#include "store/encrypted/encrypted_data_writer.h"
#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_key.h"
#include "store/text_item.h"
#include "tests/support/temp_folder.h"
#include "tools/quillery_data/commands.h"
#include "tools/quillery_data/unicode_text.h"

#ifndef _WIN32
#include "platform/sim/sim_control.h"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

// A terminal whose person types the given lines, and which keeps the prompts shown.
class CScriptedTerminal : public CTerminal {
 public:
  bool Interactive() const override { return interactive; }
  std::optional<std::u16string> ReadHidden(std::string_view prompt) override {
    prompts.emplace_back(prompt);
    if (lines.empty()) return std::nullopt;
    std::u16string line = lines.front();
    lines.pop_front();
    return line;
  }

  bool interactive = true;
  std::deque<std::u16string> lines;
  std::vector<std::string> prompts;
};

struct CEncryptedRun {
  int status;
  std::string out;
  std::string err;
};

class EncryptedDataTest : public ::testing::Test {
 protected:
  EncryptedDataTest() {
    ResetModel();
    for (const char16_t* text : {u"first clip", u"caf\u00e9 note", u"third"}) {
      auto clip = std::make_unique<CTextItem>();
      clip->text = text;
      clip->categoryId = kHistoryCategoryId;
      clip->created = 46364.5;
      store.AppendClip(std::move(clip));
    }
    store.SaveToFile(At("plain.dat"));
    const CEncryptedRun dump = Run({"dump", Arg(At("plain.dat"))});
    EXPECT_EQ(dump.status, kExitSuccess) << dump.err;
    plainDump = dump.out;
    WriteFile(At("doc.json"), plainDump);
    // The first line is the password; what follows it is not.
    WriteFile(At("pw.txt"), "p\xC3\xA4sswort\r\nnot this line\n");
    WriteFile(At("other.txt"), "p\xC3\xA4sswort2\n");
  }
  ~EncryptedDataTest() override { ResetModel(); }

  // The model's accounts: none until a test signs one in.
  static void ResetModel() {
#ifndef _WIN32
    sim::Reset();
#endif
  }

  CEncryptedRun Run(const CommandArgs& args) {
    std::ostringstream out, err;
    const int status = RunQuilleryData(args, out, err, terminal);
    return {status, out.str(), err.str()};
  }
  static std::string Arg(const fs::path& path) {
    return Utf8FromPath(path);
  }
  fs::path At(const char* name) const {
    return folder.Path() / name;
  }
  static void WriteFile(const fs::path& path, std::string_view content) {
    std::ofstream(path, std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
  }
  static Bytes FileBytes(const fs::path& path) {
    return ReadWholeFile(path, "test file");
  }

  CTempFolder folder;
  CDataBase store;
  CScriptedTerminal terminal;
  std::string plainDump;
};

bool HoldsUtf16(const Bytes& bytes, std::u16string_view text) {
  const auto* units = reinterpret_cast<const std::uint8_t*>(text.data());
  const Bytes needle(units, units + text.size() * sizeof(char16_t));
  return std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end()) != bytes.end();
}

TEST_F(EncryptedDataTest, PasswordFileBuildsAFileThatDumpsAndVerifiesLikeThePlainOne) {
  const CEncryptedRun build = Run({"build", Arg(At("doc.json")), Arg(At("secret.dat")), "--encrypt",
                                   "password", "--password-file", Arg(At("pw.txt"))});
  ASSERT_EQ(build.status, kExitSuccess) << build.err;
  EXPECT_NE(build.out.find("3 clips, 0 categories, encrypted with a password"), std::string::npos)
      << build.out;
  const Bytes written = FileBytes(At("secret.dat"));
  const std::optional<CEncryptedHeader> header = ReadEncryptedHeader(At("secret.dat"));
  ASSERT_TRUE(header);
  EXPECT_EQ(header->mode, EEncryption::kPassword);
  EXPECT_FALSE(HoldsUtf16(written, u"first clip"));

  // The password file's first line alone is the password.
  WriteFile(At("same.txt"), "p\xC3\xA4sswort");
  const CEncryptedRun dump =
      Run({"dump", "--password-file", Arg(At("same.txt")), Arg(At("secret.dat"))});
  EXPECT_EQ(dump.status, kExitSuccess) << dump.err;
  EXPECT_EQ(dump.out, plainDump);

  const CEncryptedRun verify =
      Run({"verify", Arg(At("secret.dat")), "--password-file", Arg(At("pw.txt"))});
  EXPECT_EQ(verify.status, kExitSuccess) << verify.err;
  EXPECT_EQ(verify.out, Arg(At("secret.dat")) +
                            ": reads cleanly, current format, encrypted with a password, 3 "
                            "clips, 0 categories\n");
  EXPECT_TRUE(terminal.prompts.empty());

  // Without --encrypt the plain format is written, byte for byte the store's own.
  ASSERT_EQ(Run({"build", Arg(At("doc.json")), Arg(At("again.dat"))}).status, kExitSuccess);
  EXPECT_EQ(FileBytes(At("again.dat")), FileBytes(At("plain.dat")));
}

TEST_F(EncryptedDataTest, AWrongPasswordFailsWithItsOwnStatusAndPrintsNothing) {
  ASSERT_EQ(Run({"build", Arg(At("doc.json")), Arg(At("secret.dat")), "--encrypt", "password",
                 "--password-file", Arg(At("pw.txt"))})
                .status,
            kExitSuccess);
  for (const char* command : {"dump", "verify"}) {
    const CEncryptedRun run =
        Run({command, Arg(At("secret.dat")), "--password-file", Arg(At("other.txt"))});
    EXPECT_EQ(run.status, kExitWrongPassword) << command;
    EXPECT_EQ(run.out, "") << command;
    EXPECT_EQ(run.err, "quillery-data: " + Arg(At("secret.dat")) + ": wrong password\n") << command;
  }
  // A plain file needs no password, and a given one is not asked about.
  EXPECT_EQ(Run({"verify", Arg(At("plain.dat")), "--password-file", Arg(At("other.txt"))}).status,
            kExitSuccess);
}

TEST_F(EncryptedDataTest, ThePasswordIsTypedAtTheTerminalTwiceToWriteAndOnceToRead) {
  terminal.lines = {u"typed \u00e9", u"typed \u00e9"};
  const CEncryptedRun build =
      Run({"build", Arg(At("doc.json")), Arg(At("secret.dat")), "--encrypt", "password"});
  ASSERT_EQ(build.status, kExitSuccess) << build.err;
  EXPECT_EQ(terminal.prompts, (std::vector<std::string>{"Password: ", "Password again: "}));

  terminal.prompts.clear();
  terminal.lines = {u"typed \u00e9"};
  const CEncryptedRun dump = Run({"dump", Arg(At("secret.dat"))});
  EXPECT_EQ(dump.status, kExitSuccess) << dump.err;
  EXPECT_EQ(dump.out, plainDump);
  EXPECT_EQ(terminal.prompts, std::vector<std::string>{"Password: "});

  // A typed password is UTF-8 as a password file's is: the file's key is the same.
  WriteFile(At("typed.txt"), "typed \xC3\xA9\n");
  EXPECT_EQ(Run({"verify", Arg(At("secret.dat")), "--password-file", Arg(At("typed.txt"))}).status,
            kExitSuccess);
}

TEST_F(EncryptedDataTest, NoUsablePasswordWritesNothing) {
  terminal.lines = {u"one", u"two"};
  CEncryptedRun run =
      Run({"build", Arg(At("doc.json")), Arg(At("secret.dat")), "--encrypt", "password"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("the two passwords differ"), std::string::npos) << run.err;

  WriteFile(At("empty.txt"), "\n");
  run = Run({"build", Arg(At("doc.json")), Arg(At("secret.dat")), "--encrypt", "password",
             "--password-file", Arg(At("empty.txt"))});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("the password is empty"), std::string::npos) << run.err;

  terminal.interactive = false;
  run = Run({"build", Arg(At("doc.json")), Arg(At("secret.dat")), "--encrypt", "password"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("--password-file"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(At("secret.dat")));

  WriteFile(At("latin1.txt"), "p\xE4sswort\n");
  run = Run({"build", Arg(At("doc.json")), Arg(At("secret.dat")), "--encrypt", "password",
             "--password-file", Arg(At("latin1.txt"))});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("not UTF-8"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(At("secret.dat")));
}

TEST_F(EncryptedDataTest, BadEncryptArgumentsAreRefused) {
  CEncryptedRun run = Run({"build", Arg(At("doc.json")), Arg(At("x.dat")), "--encrypt", "rot13"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("--encrypt takes 'account' or 'password'"), std::string::npos);
  run = Run({"build", Arg(At("doc.json")), Arg(At("x.dat")), "--password-file", Arg(At("pw.txt"))});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("--password-file is only for --encrypt password"), std::string::npos);
  EXPECT_FALSE(fs::exists(At("x.dat")));
}

// The native model has no Windows account until a test signs one in; Windows always has one.
#ifndef _WIN32
constexpr std::string_view kNoAccountHere =
    "this file is protected by a Windows account; open it with quillery-data on Windows, as "
    "that user";

TEST_F(EncryptedDataTest, AccountFilesAreRefusedWhereThereIsNoAccount) {
  const CEncryptedRun build =
      Run({"build", Arg(At("doc.json")), Arg(At("x.dat")), "--encrypt", "account"});
  EXPECT_EQ(build.status, kExitFailure);
  EXPECT_NE(build.err.find("--encrypt account needs a Windows account"), std::string::npos);
  EXPECT_FALSE(fs::exists(At("x.dat")));

  // A file of an account, as Windows would have written it.
  const Bytes key(kAesKeyBytes, 0x5A);
  const Bytes blob(40, 0xB0);
  const CStoreKey accountKey(EEncryption::kAccount, key, EncodeAccountProtection(blob));
  const Bytes plain = store.SaveToMemory();
  const Bytes file = EncryptDataFile(accountKey, plain);
  WriteFile(At("account.dat"),
            std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
  for (const char* command : {"dump", "verify"}) {
    const CEncryptedRun run = Run({command, Arg(At("account.dat"))});
    EXPECT_EQ(run.status, kExitFailure) << command;
    EXPECT_EQ(run.err, "quillery-data: " + Arg(At("account.dat")) + ": " +
                           std::string(kNoAccountHere) + "\n");
  }
  EXPECT_TRUE(terminal.prompts.empty());
}

TEST_F(EncryptedDataTest, AccountFilesOpenForTheirAccountOnly) {
  const std::uint32_t writer = sim::SignInNewAccount();
  const CEncryptedRun build =
      Run({"build", Arg(At("doc.json")), Arg(At("mine.dat")), "--encrypt", "account"});
  ASSERT_EQ(build.status, kExitSuccess) << build.err;
  const CEncryptedRun verify = Run({"verify", Arg(At("mine.dat"))});
  EXPECT_EQ(verify.status, kExitSuccess) << verify.err;
  EXPECT_NE(verify.out.find("encrypted for a Windows account, 3 clips"), std::string::npos)
      << verify.out;

  sim::SignInNewAccount();
  const CEncryptedRun other = Run({"dump", Arg(At("mine.dat"))});
  EXPECT_EQ(other.status, kExitWrongPassword);
  EXPECT_NE(other.err.find("another Windows account"), std::string::npos) << other.err;
  sim::SwitchToAccount(writer);
  EXPECT_EQ(Run({"dump", Arg(At("mine.dat"))}).out, plainDump);
}
#endif

TEST_F(EncryptedDataTest, VerifyNamesTheDamagedChunkByIndexAndFileOffset) {
  const CStoreKey key = CStoreKey::NewForPassword(u"p\u00e4sswort");
  const Bytes plain = store.SaveToMemory();
  constexpr std::uint32_t kChunk = 32;
  ASSERT_GT(plain.size(), 4 * kChunk);
  Bytes file = EncryptDataFile(key, plain, kChunk);
  WriteFile(At("damaged.dat"),
            std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
  const std::uint64_t headerSize = ReadEncryptedHeader(At("damaged.dat"))->size;
  const std::uint64_t chunkAt = headerSize + 2 * (kChunk + kGcmNonceBytes + kGcmTagBytes);
  file[chunkAt + 15] ^= 0x01;  // within the cipher bytes of chunk 2
  WriteFile(At("damaged.dat"),
            std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));

  const CEncryptedRun verify =
      Run({"verify", Arg(At("damaged.dat")), "--password-file", Arg(At("pw.txt"))});
  EXPECT_EQ(verify.status, kExitDamaged) << verify.err;
  EXPECT_NE(
      verify.out.find("chunk 2 at offset " + std::to_string(chunkAt) + " failed authentication"),
      std::string::npos)
      << verify.out;
  EXPECT_NE(verify.out.find("(encrypted with a password)"), std::string::npos) << verify.out;
  EXPECT_EQ(std::count(verify.out.begin(), verify.out.end(), '\n'), 1);

  // dump still prints what came before the damage, and fails the same way.
  EXPECT_EQ(Run({"dump", Arg(At("damaged.dat")), "--password-file", Arg(At("pw.txt"))}).status,
            kExitDamaged);
}

}  // namespace
