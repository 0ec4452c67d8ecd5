// quillery-data: dumps of real data files, verify, and builds that give the same bytes back.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include <nlohmann/json.hpp>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/file_io.h"
#include "store/database.h"
#include "store/file_list_item.h"
#include "store/image_item.h"
#include "store/text_item.h"
#include "tests/support/temp_folder.h"
#include "tools/quillery_data/commands.h"
#include "tools/quillery_data/json_text.h"
#include "tools/quillery_data/unicode_text.h"

using namespace std::string_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Json = nlohmann::json;
namespace fs = std::filesystem;

struct CRun {
  int status;
  std::string out;
  std::string err;
};

// A picture whose pixel bytes all differ, so that a mix-up of rows or columns shows.
TBitmap Pattern(int width, int height, int bitsPerPixel) {
  TBitmap picture(width, height, bitsPerPixel);
  for (int y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < picture.Stride(); ++x) {
      picture.Row(y)[x] = static_cast<std::uint8_t>(y * 31 + static_cast<int>(x) * 7 + 1);
    }
  }
  return picture;
}

class QuilleryDataTest : public ::testing::Test {
 protected:
  CRun Run(const CommandArgs& args) {
    std::ostringstream out, err;
    const int status = RunQuilleryData(args, out, err);
    return {status, out.str(), err.str()};
  }
  static std::string Arg(const fs::path& path) { return Utf8FromPath(path); }
  fs::path At(const char* name) const { return folder.Path() / name; }

  void AddText(std::u16string text, int categoryId, double created = 46364.5,
               std::uint16_t hotKey = 0) {
    auto clip = std::make_unique<CTextItem>();
    clip->text = std::move(text);
    clip->categoryId = categoryId;
    clip->created = created;
    clip->hotKey = hotKey;
    store.AppendClip(std::move(clip));
  }
  void AddPicture(TBitmap picture, int categoryId, std::uint16_t hotKey = 0,
                  EPictureRecord record = EPictureRecord::kPng) {
    auto clip = std::make_unique<CImageItem>();
    clip->SetPicture(TBitmap(std::move(picture)));
    clip->savedAs = record;
    if (record == EPictureRecord::kPng) clip->EncodedPng();  // as the tool does before a save
    clip->categoryId = categoryId;
    clip->created = 46000.25;
    clip->hotKey = hotKey;
    store.AppendClip(std::move(clip));
  }
  void AddCategory(int id, int parentId, int iconIndex, std::u16string name, int reserved = 0) {
    store.AppendCategory(CCategory{id, parentId, iconIndex, reserved, std::move(name)});
  }

  // History, notes, two user categories (one inside the other), hot keys and a picture.
  void FillStore() {
    AddText(u"first", kHistoryCategoryId, 46364.75, 0x0231);
    AddText(u"a note", kNotesCategoryId, 46001.125);
    AddCategory(1001, 0, 3, u"Work");
    AddCategory(1002, 1001, 5, u"Letters", 7);
    AddText(u"Dear Ann,", 1002, 45999.0, 0x0642);
    AddPicture(Pattern(5, 3, 24), kHistoryCategoryId, 0x0335);
  }

  fs::path SaveStore(const char* name = "data.dat") {
    store.SaveToFile(At(name));
    return At(name);
  }

  void WriteFile(const fs::path& path, std::string_view content) {
    std::ofstream(path, std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
  }
  static Bytes FileBytes(const fs::path& path) { return ReadWholeFile(path, "test file"); }

  // Dumps `data` into a JSON file beside it, pictures in "pictures", and builds it back.
  Bytes RoundTrip(const fs::path& data, const char* built = "built.dat") {
    const CRun dump = Run({"dump", Arg(data), "--pictures", Arg(At("pictures"))});
    EXPECT_EQ(dump.status, kExitSuccess) << dump.err;
    WriteFile(At("dump.json"), dump.out);
    const CRun build = Run({"build", Arg(At("dump.json")), Arg(At(built))});
    EXPECT_EQ(build.status, kExitSuccess) << build.err;
    return FileBytes(At(built));
  }

  CTempFolder folder;
  CDataBase store;
};

// --- dump -------------------------------------------------------------------------------

TEST_F(QuilleryDataTest, DumpShowsEveryFieldInStoreOrder) {
  FillStore();
  const CRun run = Run({"dump", Arg(SaveStore())});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  const Json dump = Json::parse(run.out);
  EXPECT_EQ(dump["format"], "current");
  EXPECT_EQ(dump["lastCategoryId"], 1002);
  EXPECT_TRUE(dump["damaged"].is_null());
  ASSERT_EQ(dump["items"].size(), 4u);
  EXPECT_EQ(dump["items"][0], Json::parse(R"({"kind": "text", "categoryId": 10,
      "created": 46364.75, "hotKey": 561, "text": "first"})"));
  EXPECT_EQ(dump["items"][1]["categoryId"], kNotesCategoryId);
  EXPECT_EQ(dump["items"][2]["text"], "Dear Ann,");
  // Kept as a PNG image, the opaque picture is read back at 24 bits.
  EXPECT_EQ(dump["items"][3], Json::parse(R"({"kind": "picture", "categoryId": 10,
      "created": 46000.25, "hotKey": 821, "width": 5, "height": 3, "bitsPerPixel": 24,
      "stored": "png"})"));
  EXPECT_EQ(dump["categories"][1], Json::parse(R"({"id": 1002, "parentId": 1001,
      "iconIndex": 5, "reserved": 7, "name": "Letters"})"));
}

TEST_F(QuilleryDataTest, FormatsFileListsAndAlphaGoThroughDumpAndBuildUnchanged) {
  auto styled = std::make_unique<CTextItem>();
  styled->text = u"bold";
  styled->categoryId = kHistoryCategoryId;
  styled->formats = {{u"HTML Format", {'<', 'b', '>', 0, 0xFF}}, {u"Rich Text Format", {'{', '}'}}};
  store.AppendClip(std::move(styled));
  auto files = std::make_unique<CFileListItem>();
  files->paths = {u"C:\\report.pdf", u"D:\\pics\\\xD800"};  // an unpaired surrogate too
  files->dropEffect = 2;
  files->categoryId = kNotesCategoryId;
  store.AppendClip(std::move(files));
  TBitmap translucent = Pattern(3, 2, 32);
  ASSERT_TRUE(translucent.SetHasAlpha(true));
  AddPicture(translucent, kHistoryCategoryId);
  const fs::path data = SaveStore();

  const CRun run = Run({"dump", Arg(data)});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  // The parser of the test takes no unpaired surrogate; the program's own shield does.
  const Json dump = Json::parse(ShieldSurrogateEscapes(run.out));
  EXPECT_EQ(dump["items"][0]["formats"],
            Json::parse(R"([{"name": "HTML Format", "data": "PGI+AP8="},
      {"name": "Rich Text Format", "data": "e30="}])"));
  EXPECT_EQ(dump["items"][1]["kind"], "files");
  EXPECT_EQ(dump["items"][1]["dropEffect"], 2);
  EXPECT_EQ(dump["items"][1]["paths"][0], "C:\\report.pdf");
  EXPECT_EQ(dump["items"][2]["alpha"], true);
  EXPECT_EQ(RoundTrip(data), FileBytes(data));
}

TEST_F(QuilleryDataTest, BuildRefusesFormatsThatAreNoBase64AndAlphaOfA24BitPicture) {
  WriteFile(At("bad.json"), R"({"items": [{"kind": "text", "categoryId": 10, "text": "a",
      "formats": [{"name": "HTML Format", "data": "not base64!"}]}]})");
  CRun run = Run({"build", Arg(At("bad.json")), Arg(At("out.dat"))});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("items[0].formats[0].data: expected base64"), std::string::npos)
      << run.err;

  AddPicture(Pattern(2, 2, 24), kHistoryCategoryId);
  const CRun dump = Run({"dump", Arg(SaveStore()), "--pictures", Arg(At("pics"))});
  Json document = Json::parse(dump.out);
  document["items"][0]["alpha"] = true;
  WriteFile(At("pics.json"), document.dump());
  run = Run({"build", Arg(At("pics.json")), Arg(At("out.dat"))});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("items[0].alpha"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(At("out.dat")));
}

TEST_F(QuilleryDataTest, DumpWritesPicturesThatReadBackEqual) {
  AddText(u"before", kHistoryCategoryId);
  AddPicture(Pattern(7, 4, 8), kNotesCategoryId, 0, EPictureRecord::kBmp);
  AddPicture(Pattern(3, 5, 24), kNotesCategoryId);
  const CRun run = Run({"dump", Arg(SaveStore()), "--pictures", Arg(At("pics"))});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  const Json dump = Json::parse(run.out);
  EXPECT_FALSE(dump["items"][0].contains("file"));
  EXPECT_EQ(dump["items"][1]["stored"], "bmp");
  const fs::path file = PathFromUtf8(dump["items"][1]["file"].get<std::string>());
  EXPECT_EQ(file.filename(), "1.bmp");
  EXPECT_TRUE(fs::equivalent(file, At("pics") / "1.bmp"));
  const Bytes bytes = FileBytes(file);
  CByteReader reader(bytes.data(), bytes.size());
  EXPECT_EQ(TBitmap::ReadBmp(reader), Pattern(7, 4, 8));

  // The PNG image of the record as it is, which gives the picture back.
  EXPECT_EQ(dump["items"][2]["stored"], "png");
  const fs::path png = PathFromUtf8(dump["items"][2]["file"].get<std::string>());
  EXPECT_EQ(png.filename(), "2.png");
  const std::optional<TBitmap> decoded = TBitmap::FromPng(FileBytes(png));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->ToRgb32(), Pattern(3, 5, 24).ToRgb32());
  CDataBase loaded;
  loaded.LoadFromFile(At("data.dat"));
  const std::span<const std::uint8_t> stored =
      dynamic_cast<const CImageItem&>(*loaded.Items().back()).EncodedPng();
  EXPECT_EQ(FileBytes(png), Bytes(stored.begin(), stored.end()));
}

TEST_F(QuilleryDataTest, BothPictureRecordsGoThroughDumpAndBuildUnchanged) {
  AddPicture(Pattern(4, 3, 24), kHistoryCategoryId, 0x0335, EPictureRecord::kBmp);
  TBitmap translucent = Pattern(5, 2, 32);
  ASSERT_TRUE(translucent.SetHasAlpha(true));
  AddPicture(translucent, kNotesCategoryId);
  AddPicture(Pattern(2, 6, 8), kHistoryCategoryId);
  const fs::path data = SaveStore();
  EXPECT_EQ(RoundTrip(data), FileBytes(data));
}

TEST_F(QuilleryDataTest, BuildKeepsAPictureInTheRecordItsStoredNames) {
  AddPicture(Pattern(4, 3, 24), kHistoryCategoryId, 0, EPictureRecord::kBmp);
  AddPicture(Pattern(3, 3, 24), kHistoryCategoryId);
  const CRun dump = Run({"dump", Arg(SaveStore()), "--pictures", Arg(At("pics"))});
  Json document = Json::parse(dump.out);
  document["items"][0]["stored"] = "png";
  document["items"][1]["stored"] = "bmp";
  WriteFile(At("swapped.json"), document.dump());
  const CRun build = Run({"build", Arg(At("swapped.json")), Arg(At("swapped.dat"))});
  ASSERT_EQ(build.status, kExitSuccess) << build.err;
  const Json again = Json::parse(Run({"dump", Arg(At("swapped.dat"))}).out);
  EXPECT_EQ(again["items"][0]["stored"], "png");
  EXPECT_EQ(again["items"][1]["stored"], "bmp");

  document["items"][0]["stored"] = "gif";
  WriteFile(At("bad.json"), document.dump());
  const CRun bad = Run({"build", Arg(At("bad.json")), Arg(At("bad.dat"))});
  EXPECT_EQ(bad.status, kExitFailure);
  EXPECT_NE(bad.err.find("items[0].stored: expected \"png\" or \"bmp\""), std::string::npos)
      << bad.err;
}

TEST_F(QuilleryDataTest, DumpReadsLegacyFiles) {
  // Two legacy records, a history clip "h" and then a notes clip "n": the last one read
  // is the head.
  const Bytes legacy = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 'h', 0,
                        1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 'n', 0};
  WriteFile(At("old.dat"), std::string(legacy.begin(), legacy.end()));
  const CRun run = Run({"dump", Arg(At("old.dat"))});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  const Json dump = Json::parse(run.out);
  EXPECT_EQ(dump["format"], "legacy");
  ASSERT_EQ(dump["items"].size(), 2u);
  EXPECT_EQ(dump["items"][0]["text"], "n");
  EXPECT_EQ(dump["items"][0]["categoryId"], kNotesCategoryId);
  EXPECT_EQ(dump["items"][1]["categoryId"], kHistoryCategoryId);
}

class DamagedFileTest : public QuilleryDataTest {
 protected:
  // Two text clips, the head's record (written last) cut short: the damage begins where
  // the other clip's record ends.
  void SetUp() override {
    AddText(u"lost text", kHistoryCategoryId);
    CDataBase tailOnly;
    auto kept = std::make_unique<CTextItem>();
    kept->text = u"kept";
    tailOnly.AppendClip(std::move(kept));
    damageOffset = tailOnly.SaveToMemory().size();
    AddText(u"kept", kNotesCategoryId);
    Bytes bytes = store.SaveToMemory();
    bytes.resize(bytes.size() - 3);
    WriteFile(At("data.dat"), std::string(bytes.begin(), bytes.end()));
  }
  std::size_t damageOffset = 0;
};

TEST_F(DamagedFileTest, DumpShowsWhatWasReadAndWhereTheDamageBegins) {
  const CRun run = Run({"dump", Arg(At("data.dat"))});
  EXPECT_EQ(run.status, kExitDamaged);
  const Json dump = Json::parse(run.out);
  ASSERT_EQ(dump["items"].size(), 1u);
  EXPECT_EQ(dump["items"][0]["text"], "kept");
  EXPECT_EQ(dump["damaged"]["offset"], damageOffset);
  EXPECT_FALSE(dump["damaged"]["reason"].get<std::string>().empty());
  EXPECT_NE(run.err.find("offset " + std::to_string(damageOffset)), std::string::npos);
}

TEST_F(DamagedFileTest, DumpAndVerifyLeaveNoCopyBehind) {
  Run({"dump", Arg(At("data.dat"))});
  Run({"verify", Arg(At("data.dat"))});
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder.Path())) files.push_back(entry.path());
  EXPECT_EQ(files, std::vector<fs::path>{At("data.dat")});
}

TEST_F(DamagedFileTest, VerifyNamesOffsetAndReasonOnOneLine) {
  const CRun run = Run({"verify", Arg(At("data.dat"))});
  EXPECT_EQ(run.status, kExitDamaged);
  EXPECT_NE(run.out.find("damaged at offset " + std::to_string(damageOffset)), std::string::npos);
  const Json dump = Json::parse(Run({"dump", Arg(At("data.dat"))}).out);
  EXPECT_NE(run.out.find(dump["damaged"]["reason"].get<std::string>()), std::string::npos);
  EXPECT_EQ(run.out.find('\n'), run.out.size() - 1);
}

// --- verify -----------------------------------------------------------------------------

TEST_F(QuilleryDataTest, VerifyOfACleanFileSucceeds) {
  FillStore();
  const CRun run = Run({"verify", Arg(SaveStore())});
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_NE(run.out.find("reads cleanly, current format, 4 clips, 2 categories"), std::string::npos)
      << run.out;
}

TEST_F(QuilleryDataTest, VerifyOfAMissingFileFailsWithTwo) {
  const CRun run = Run({"verify", Arg(At("absent.dat"))});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("Cannot open data file"), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty());
}

// --- build ------------------------------------------------------------------------------

TEST_F(QuilleryDataTest, BuildOfADumpGivesTheSameBytes) {
  FillStore();
  AddText(u"quote \" backslash \\ tab \t line\r\n bell \x07 nul \0 end"s, kNotesCategoryId);
  AddText(u"caf\u00e9 \u65e5\u672c \U0001F600 \u2028", 1001);
  AddPicture(Pattern(9, 2, 8), 1001);
  AddPicture(Pattern(1, 1, 32), kHistoryCategoryId);
  AddCategory(1005, 1002, 0, u"\u00dcber \"quoted\"");
  store.SetLastCategoryId(1010);
  const fs::path data = SaveStore();
  EXPECT_EQ(RoundTrip(data), FileBytes(data));
}

TEST_F(QuilleryDataTest, UnpairedSurrogatesSurviveDumpBuildDump) {
  AddText(u"a\xD800z", kHistoryCategoryId);   // high without low
  AddText(u"\xDC01", kHistoryCategoryId);     // low alone
  AddText(u"end\xDBFF", kHistoryCategoryId);  // high at the very end
  AddText(u"\xDC00\xD800 reversed", kHistoryCategoryId);
  AddCategory(1001, 0, 0, u"\xDFFF\0"s);
  const fs::path data = SaveStore();
  const CRun first = Run({"dump", Arg(data)});
  EXPECT_NE(first.out.find(R"("a\ud800z")"), std::string::npos) << first.out;
  EXPECT_NE(first.out.find(R"("\udc00\ud800 reversed")"), std::string::npos);
  EXPECT_EQ(RoundTrip(data), FileBytes(data));
  EXPECT_EQ(Run({"dump", Arg(At("built.dat"))}).out, first.out);
}

TEST_F(QuilleryDataTest, CreatedTimesReadBackBitForBit) {
  std::vector<double> times = {46364.123456789012,
                               1.0 / 3,
                               0.1 + 0.2,
                               -0.0,
                               5e-324,
                               2.2250738585072009e-308,
                               std::numeric_limits<double>::max(),
                               -693593.99999999988};
  std::mt19937_64 random(20240611);
  while (times.size() < 400) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) times.push_back(value);
  }
  for (double time : times) AddText(u"t", kHistoryCategoryId, time);
  const fs::path data = SaveStore();
  EXPECT_EQ(RoundTrip(data), FileBytes(data));
}

TEST_F(QuilleryDataTest, TimesThatJsonHasNoNumberForAreNamed) {
  AddText(u"nan", kHistoryCategoryId, std::numeric_limits<double>::quiet_NaN());
  AddText(u"inf", kHistoryCategoryId, -std::numeric_limits<double>::infinity());
  const Json dump = Json::parse(Run({"dump", Arg(SaveStore())}).out);
  EXPECT_EQ(dump["items"][0]["created"], "NaN");
  EXPECT_EQ(dump["items"][1]["created"], "-Infinity");
  RoundTrip(At("data.dat"));
  CDataBase built;
  built.LoadFromFile(At("built.dat"));
  EXPECT_TRUE(std::isnan(built.Items().front()->created));
  EXPECT_EQ(built.Items().back()->created, -std::numeric_limits<double>::infinity());
}

TEST_F(QuilleryDataTest, BuildTakesRelativePictureFilesFromTheJsonFolder) {
  fs::create_directories(At("doc") / "pics");
  CByteWriter bmp;
  Pattern(3, 3, 24).WriteBmp(bmp);
  WriteFile(At("doc") / "pics" / "p.bmp", std::string(bmp.Bytes().begin(), bmp.Bytes().end()));
  WriteFile(At("doc") / "in.json", R"({"items": [{"kind": "picture", "categoryId": 10,
                                       "file": "pics/p.bmp", "width": 3}]})");
  const CRun run = Run({"build", Arg(At("doc") / "in.json"), Arg(At("out.dat"))});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  CDataBase built;
  built.LoadFromFile(At("out.dat"));
  ASSERT_EQ(built.Items().size(), 1u);
  EXPECT_EQ(*dynamic_cast<const CImageItem&>(*built.Items().front()).Picture(), Pattern(3, 3, 24));
}

TEST_F(QuilleryDataTest, BuildIgnoresFormatAndDamageAndFillsDefaults) {
  WriteFile(At("in.json"), R"({"format": "legacy", "damaged": {"offset": 9, "reason": "x"},
      "items": [{"kind": "text", "categoryId": 11, "text": "n"}],
      "categories": [{"id": 1004, "name": "c"}]})");
  ASSERT_EQ(Run({"build", Arg(At("in.json")), Arg(At("out.dat"))}).status, kExitSuccess);
  CDataBase built;
  built.LoadFromFile(At("out.dat"));
  EXPECT_EQ(built.LastLoad().format, DataFormat::kCurrent);
  EXPECT_EQ(built.LastCategoryId(), 1004);  // raised to the largest category id
  ASSERT_EQ(built.Items().size(), 1u);
  EXPECT_EQ(built.Items().front()->hotKey, 0);
  EXPECT_EQ(built.Items().front()->created, 0.0);
}

// Each document is refused with a message that names the place of the fault, and no data
// file is written.
TEST_F(QuilleryDataTest, BuildRefusesBadDocumentsAndWritesNothing) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {R"({"items": [ })", "not valid JSON: parse error at line 1"},
      {R"([1, 2])", "expected an object at the top level"},
      {R"({"items": {}})", "items: expected an array"},
      {R"({"items": [{"categoryId": 10, "text": "a"}]})", "items[0].kind: missing"},
      {R"({"items": [{"kind": "sound", "categoryId": 10}]})", "items[0].kind: expected"},
      {R"({"items": [{"kind": "text", "categoryId": "10", "text": "a"}]})",
       "items[0].categoryId: expected an integer"},
      {R"({"items": [{"kind": "text", "categoryId": 1.5, "text": "a"}]})",
       "items[0].categoryId: expected an integer"},
      {R"({"items": [{"kind": "text", "categoryId": 10, "hotKey": 65536, "text": "a"}]})",
       "items[0].hotKey: expected an integer from 0 to 65535"},
      {R"({"items": [{"kind": "text", "categoryId": 10, "text": 5}]})",
       "items[0].text: expected a string"},
      {R"({"items": [{"kind": "text", "categoryId": 10, "created": true, "text": "a"}]})",
       "items[0].created: expected a number"},
      {R"({"items": [{"kind": "picture", "categoryId": 10}]})", "items[0].file: missing"},
      {R"({"items": [{"kind": "picture", "categoryId": 10, "file": "none.bmp"}]})",
       "items[0].file: Cannot open picture file"},
      {R"({"items": [{"kind": "picture", "categoryId": 10, "file": "in.json"}]})",
       "items[0].file: "},
      {R"({"categories": [{"id": 1001}]})", "categories[0].name: missing"},
      {R"({"lastCategoryId": 3000000000})", "lastCategoryId: expected an integer"},
  };
  for (const auto& [document, message] : cases) {
    WriteFile(At("in.json"), document);
    const CRun run = Run({"build", Arg(At("in.json")), Arg(At("out.dat"))});
    EXPECT_EQ(run.status, kExitFailure) << document;
    EXPECT_NE(run.err.find(message), std::string::npos) << document << "\n" << run.err;
    EXPECT_FALSE(fs::exists(At("out.dat"))) << document;
  }
}

// --- arguments --------------------------------------------------------------------------

TEST_F(QuilleryDataTest, HelpShowsUsageAndExitStatuses) {
  for (const CommandArgs& args : {CommandArgs{"--help"}, CommandArgs{"dump", "--help"}}) {
    const CRun run = Run(args);
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(run.out, UsageText());
  }
  EXPECT_NE(UsageText().find("Exit status"), std::string::npos);
}

TEST_F(QuilleryDataTest, BadArgumentsFailWithTwoAndSayWhy) {
  const std::vector<std::pair<CommandArgs, std::string>> cases = {
      {{}, "no command given"},
      {{"show", "x"}, "unknown command 'show'"},
      {{"dump"}, "dump: missing FILE"},
      {{"dump", "a", "--pictures"}, "--pictures needs a folder"},
      {{"verify", "a", "b"}, "verify: unexpected argument 'b'"},
      {{"verify", "--fast", "a"}, "verify: unknown option '--fast'"},
      {{"build", "in.json"}, "build: missing OUT"},
  };
  for (const auto& [args, message] : cases) {
    const CRun run = Run(args);
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--help"), std::string::npos);
  }
}

// --- the text step ----------------------------------------------------------------------

TEST(JsonTextTest, TokensEscapeWhatJsonRequiresAndKeepTheRestAsUtf8) {
  EXPECT_EQ(JsonStringToken(u"\"\\\b\f\n\r\t\x01\x1f"), R"("\"\\\b\f\n\r\t\u0001\u001f")");
  EXPECT_EQ(JsonStringToken(u"\u00e9\U0001F600/"), "\"\xC3\xA9\xF0\x9F\x98\x80/\"");
  EXPECT_EQ(JsonStringToken(u"\xD83D"), R"("\ud83d")");
}

TEST(JsonTextTest, ShieldTouchesOnlyUnpairedSurrogatesAndNulsInsideStrings) {
  EXPECT_EQ(ShieldSurrogateEscapes(R"({"a\ud800": "\uD83D\uDE00 \\ud800 \" \udc00"})"),
            R"({"a\u0000d800": "\uD83D\uDE00 \\ud800 \" \u0000dc00"})");
  EXPECT_EQ(ShieldSurrogateEscapes(R"(["\u0000", "\u0041"])"), R"(["\u0000\u0000", "\u0041"])");
}

TEST(JsonTextTest, ParsedStringsGiveBackShieldedUnitsAndRefuseStrayNuls) {
  EXPECT_EQ(TextFromParsedString("a\0d800\0\0b"s), u"a\xD800\0b"s);
  EXPECT_EQ(TextFromParsedString("\0"s), std::nullopt);
  EXPECT_EQ(TextFromParsedString("\0"
                                 "0041"s),
            std::nullopt);                                        // not a surrogate
  EXPECT_EQ(TextFromParsedString("\xED\xA0\x80"), std::nullopt);  // an encoded surrogate
  EXPECT_EQ(TextFromParsedString("\xC0\xAF"), std::nullopt);      // overlong
}

}  // namespace
