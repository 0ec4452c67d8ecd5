#include "app/window/load_notice.h"

#include <string_view>

#include "foundation/utf8_text.h"
#include "store/file_list_item.h"

namespace {

std::u16string Ascii(std::string_view text) {
  return {text.begin(), text.end()};
}

// Said of a data file that the store does not hold whole and that no copy keeps.
constexpr char16_t kUnkeptOriginalText[] =
    u"The original file could not be kept, so Quillery will not save over it until it can "
    u"keep a copy of it.";

std::u16string DamageText(const CLoadReport& report) {
  std::u16string text =
      u"The data file is damaged. Quillery read the clips that came before the damage (at "
      u"byte " +
      Ascii(std::to_string(report.damageOffset)) + u": ";
  // The reason is ASCII text of the reader's own making.
  text += Ascii(report.damageReason) + u") and goes on with them.\n\n";
  if (report.damagedCopy.empty()) {
    text += kUnkeptOriginalText;
  } else {
    text += u"The original file is kept unchanged as\n" + report.damagedCopy.u16string();
  }
  return text;
}

std::u16string CutFileListsText(const CLoadReport& report) {
  const std::u16string most = Ascii(std::to_string(kMaxDropPaths));
  std::u16string text = u"A clip keeps at most " + most + u" files. ";
  if (report.cutFileLists == 1) {
    text += u"One clip in the data file named more; it keeps its first " + most + u".";
  } else {
    text += Ascii(std::to_string(report.cutFileLists)) +
            u" clips in the data file named more; each keeps its first " + most + u".";
  }
  // After damage, the copy is told of with the damage.
  if (report.damaged) return text;
  if (report.damagedCopy.empty()) return text + u" " + kUnkeptOriginalText;
  return text + u" The original file, with all of them, is kept as\n" +
         report.damagedCopy.u16string();
}

}  // namespace

std::optional<std::u16string> DamagedFileNotice(const CLoadReport& report) {
  std::u16string text;
  if (report.damaged) text = DamageText(report);
  if (report.cutFileLists > 0) {
    if (!text.empty()) text += u"\n\n";
    text += CutFileListsText(report);
  }
  if (text.empty()) return std::nullopt;
  return text;
}

std::u16string DamagedJournalNotice(const CJournalDamage& damage) {
  std::u16string text = u"The journal of the last run's changes could not be read whole (" +
                        Utf16FromUtf8(damage.reason) + u"). Quillery applied the " +
                        Ascii(std::to_string(damage.applied)) +
                        (damage.applied == 1 ? u" change" : u" changes") +
                        u" that came before it.\n\n";
  if (damage.keptCopy.empty()) {
    text +=
        u"The journal could not be kept, so Quillery leaves it in place and keeps no "
        u"journal of its own until the next start.";
  } else {
    text += u"The journal is kept unchanged as\n" + damage.keptCopy.u16string();
  }
  return text;
}

std::u16string SaveTroubleNotice(const CSaveTrouble& trouble) {
  if (trouble.kind == CSaveTrouble::EKind::kJournalGrowing) {
    return u"The journal of your clips' changes (" + trouble.journal.u16string() +
           u") has grown past " + Ascii(std::to_string(CAutoSaver::kJournalNoticeBytes >> 20)) +
           u" MB because the data file cannot be saved. Nothing is lost, but it will keep "
           u"growing until the data file can be written again.";
  }
  return u"Quillery cannot save your clips:\n" + Utf16FromUtf8(trouble.error) +
         u"\n\nAnother program may hold the file open, or its folder may be read-only. " +
         (trouble.journal.empty() ? u"Your clips are kept in memory meanwhile, "
                                  : u"Your clips are kept in the journal beside it meanwhile, ") +
         u"and Quillery tries again every minute; you will not be told again during this run.";
}
