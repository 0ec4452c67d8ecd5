#pragma once
// The keys of encrypted data files: the one that opens a file, got back from its header,
// and a new one for a file to write.

#include <filesystem>
#include <string_view>

#include "store/encrypted/encrypted_header.h"
#include "store/encrypted/store_key.h"
#include "tools/quillery_data/password_source.h"

// The key that opens the data file at `path`, whose sound header is `header`: with the
// Windows account (mode 1) or a password from `passwords` (mode 2). Throws CKeyError when
// none can be had: kExitWrongPassword for a password or an account that does not open the
// file, kExitFailure where there is no Windows account to ask, kExitDamaged when the header's
// protection gives no key that opens it.
CStoreKey KeyToOpen(const CEncryptedHeader& header, const std::filesystem::path& path,
                    const CPasswordSource& passwords);

// The mode --encrypt names ("account" or "password"); kOff for anything else.
EEncryption EncryptionFromName(std::string_view name);

// A new key for `mode` (kAccount or kPassword, the password from `passwords`). Throws
// CKeyError when there is no Windows account or no usable password.
CStoreKey NewKeyToWrite(EEncryption mode, const CPasswordSource& passwords);

// "encrypted with a password", for what a command tells about a file.
std::string_view EncryptionDescription(EEncryption mode);
