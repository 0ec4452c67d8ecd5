#include "store/encrypted/journal_source.h"

#include <utility>

#include "foundation/file_io.h"
#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/encrypted_journal.h"
#include "store/encrypted/store_locked_error.h"

namespace {

class CPlainJournalSource : public CJournalSource {
 public:
  explicit CPlainJournalSource(const std::filesystem::path& path) : file_(path, "journal") {}

  std::uint64_t Size() const override { return file_.Size(); }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
    return file_.ReadAt(offset, out, count);
  }
  const std::string& Damage() const override { return damage_; }
  bool Torn() const override { return false; }
  EEncryption Encryption() const override { return EEncryption::kOff; }

 private:
  CFileByteSource file_;
  std::string damage_;  // a plain journal's damage is in its frames
};

// Owns the file and the header that the encrypted source reads through.
class CEncryptedJournalFile : public CJournalSource {
 public:
  CEncryptedJournalFile(const std::filesystem::path& path, CEncryptedHeader header,
                        const CStoreKey& key)
      : file_(path, "journal"),
        header_(std::move(header)),
        source_(file_, file_.Size(), header_, key) {}

  std::uint64_t Size() const override { return source_.Size(); }
  std::size_t ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
    return source_.ReadAt(offset, out, count);
  }
  const std::string& Damage() const override { return source_.Damage(); }
  bool Torn() const override { return source_.Torn(); }
  EEncryption Encryption() const override { return source_.Encryption(); }

 private:
  CFileByteSource file_;
  CEncryptedHeader header_;
  CEncryptedJournalSource source_;
};

// An encrypted journal whose header cannot be read: no bytes, and why.
class CDamagedJournalSource : public CJournalSource {
 public:
  explicit CDamagedJournalSource(std::string damage) : damage_(std::move(damage)) {}

  std::uint64_t Size() const override { return 0; }
  std::size_t ReadAt(std::uint64_t, std::uint8_t*, std::size_t) override { return 0; }
  const std::string& Damage() const override { return damage_; }
  bool Torn() const override { return false; }
  EEncryption Encryption() const override { return EEncryption::kOff; }

 private:
  std::string damage_;
};

}  // namespace

std::unique_ptr<CJournalSource> OpenJournalSource(const std::filesystem::path& path,
                                                  const CStoreKey* key) {
  std::optional<CEncryptedHeader> header = ReadEncryptedHeader(path);
  if (!header) return std::make_unique<CPlainJournalSource>(path);
  if (!header->damage.empty()) {
    return std::make_unique<CDamagedJournalSource>("the encrypted journal's header is damaged: " +
                                                   header->damage);
  }
  if (header->file != EEncryptedFile::kJournal) {
    return std::make_unique<CDamagedJournalSource>("an encrypted data file, not a journal");
  }
  if (key == nullptr || !key->Opens(*header)) throw CStoreLockedError("journal", path);
  return std::make_unique<CEncryptedJournalFile>(path, std::move(*header), *key);
}
