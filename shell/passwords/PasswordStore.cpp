#include "shell/passwords/PasswordStore.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

#include "platform/crypto.h"
#include "platform/registry.h"
#include "shell/ProgramState.h"
#include "shell/ColouredMessageBox.h"

namespace {

constexpr char kPasswordValue[] = "Password";
constexpr char kPasswordSetValue[] = "Password Set";
constexpr size_t kHashBytes = 32;
constexpr size_t kBlockBytes = 64;  // SHA-256 block, the HMAC key size

std::span<const BYTE> Bytes(const std::string& s) {
  return {reinterpret_cast<const BYTE*>(s.data()), s.size()};
}

std::string ToHex(std::span<const BYTE> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (BYTE b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

std::optional<std::vector<BYTE>> FromHex(const std::string& text) {
  if (text.size() % 2) return std::nullopt;
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::vector<BYTE> out;
  for (size_t i = 0; i < text.size(); i += 2) {
    int hi = digit(text[i]), lo = digit(text[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<BYTE>(hi * 16 + lo));
  }
  return out;
}

// Compares every byte, so the time taken does not tell how much of a guess was right.
bool SameBytes(std::span<const BYTE> a, std::span<const BYTE> b) {
  if (a.size() != b.size()) return false;
  BYTE diff = 0;
  for (size_t i = 0; i < a.size(); ++i) diff |= a[i] ^ b[i];
  return diff == 0;
}

struct HashRecord {
  std::vector<BYTE> salt;
  std::vector<BYTE> hash;
};

std::optional<HashRecord> ParseHashRecord(const std::string& stored) {
  const size_t marker = sizeof(kPasswordHashMarker) - 1;
  const size_t saltHex = kPasswordSaltBytes * 2;
  if (!IsPasswordHashRecord(stored) || stored.size() != marker + saltHex + 1 + kHashBytes * 2 ||
      stored[marker + saltHex] != '$')
    return std::nullopt;
  auto salt = FromHex(stored.substr(marker, saltHex));
  auto hash = FromHex(stored.substr(marker + saltHex + 1));
  if (!salt || !hash) return std::nullopt;
  return HashRecord{std::move(*salt), std::move(*hash)};
}

PasswordUpdate Failure(PasswordUpdate::Outcome outcome, DWORD error) {
  PasswordUpdate update;
  update.outcome = outcome;
  update.error = error;
  return update;
}

// Opens the settings key for writing: a missing key is reported as such.
PasswordUpdate OpenForWriting(platform::RegKey& key) {
  key = platform::RegKey(HKEY_LOCAL_MACHINE, kSettingsKey, RegWriteAccess);
  if (key) return {};
  LONG rc = key.OpenError();
  return Failure(rc == ERROR_FILE_NOT_FOUND ? PasswordUpdate::KeyMissing : PasswordUpdate::WriteFailed,
                 static_cast<DWORD>(rc));
}

// One open of the settings key with RegWriteAccess for one write or delete.
PasswordUpdate WriteValue(const std::function<LONG(HKEY)>& write) {
  platform::RegKey key;
  PasswordUpdate opened = OpenForWriting(key);
  if (!opened.Succeeded()) return opened;
  LONG rc = write(key.Handle());
  if (rc != ERROR_SUCCESS) return Failure(PasswordUpdate::WriteFailed, static_cast<DWORD>(rc));
  return {};
}

PasswordUpdate DeleteValue(const char* name) {
  return WriteValue([name](HKEY key) {
    LONG rc = RegDeleteValueA(key, name);
    return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
  });
}

}  // namespace

std::string ShiftPasswordText(const std::string& text, int shift, const char* procedure) {
  if (IsBlankPassword(text)) return "";
  int number = 0;
  const char* description = "";
  std::string result;
  if (text.size() > 32767) {  // the count does not fit its 16-bit integer
    number = 6;
    description = "Overflow";
  } else {
    result.reserve(text.size());
    for (char c : text) {
      int code = static_cast<unsigned char>(c) + shift;
      if (code < 0 || code > 255) {  // no character has this code
        number = 5;
        description = "Invalid procedure call or argument";
        break;
      }
      result += static_cast<char>(code);
    }
  }
  if (number == 0) return result;
  MsgBox("Error " + std::to_string(number) + " (" + description + ") in procedure " + procedure +
             " of Form frmmain",
         MB_OK, kAppTitle);
  return "";
}

std::vector<BYTE> Pbkdf2Sha256(const std::string& password, std::span<const BYTE> salt,
                               int iterations, size_t length, DWORD* error) {
  platform::CryptoProvider crypto;
  // HMAC keys: the password (hashed first when longer than a block), padded with zeros,
  // and each mixed with its pad. Wiped whichever way the function returns.
  struct Keys {
    std::array<BYTE, kBlockBytes> key{}, inner{}, outer{};
    ~Keys() {
      SecureZeroMemory(key.data(), key.size());
      SecureZeroMemory(inner.data(), inner.size());
      SecureZeroMemory(outer.data(), outer.size());
    }
  } keys;
  auto fail = [&]() {
    if (error) *error = crypto.Error();
    return std::vector<BYTE>();
  };
  if (!crypto.IsOpen()) return fail();
  if (password.size() > kBlockBytes) {
    platform::Sha256Digest digest;
    if (!crypto.Sha256({Bytes(password)}, digest)) return fail();
    std::copy(digest.begin(), digest.end(), keys.key.begin());
  } else {
    std::copy(password.begin(), password.end(), keys.key.begin());
  }
  for (size_t i = 0; i < kBlockBytes; ++i) {
    keys.inner[i] = keys.key[i] ^ 0x36;
    keys.outer[i] = keys.key[i] ^ 0x5c;
  }
  auto hmac = [&](std::span<const BYTE> a, std::span<const BYTE> b, platform::Sha256Digest& out) {
    platform::Sha256Digest innerDigest;
    return crypto.Sha256({keys.inner, a, b}, innerDigest) &&
           crypto.Sha256({keys.outer, innerDigest}, out);
  };
  std::vector<BYTE> derived;
  for (uint32_t block = 1; derived.size() < length; ++block) {
    const BYTE index[4] = {static_cast<BYTE>(block >> 24), static_cast<BYTE>(block >> 16),
                           static_cast<BYTE>(block >> 8), static_cast<BYTE>(block)};
    platform::Sha256Digest u, t;
    if (!hmac(salt, index, u)) return fail();
    t = u;
    for (int i = 1; i < iterations; ++i) {
      if (!hmac(u, {}, u)) return fail();
      for (size_t j = 0; j < t.size(); ++j) t[j] ^= u[j];
    }
    derived.insert(derived.end(), t.begin(), t.begin() + std::min(t.size(), length - derived.size()));
  }
  return derived;
}

std::string HashPassword(const std::string& password, DWORD* error) {
  std::array<BYTE, kPasswordSaltBytes> salt{};
  {
    platform::CryptoProvider crypto;
    if (!crypto.Random(salt)) {
      if (error) *error = crypto.Error();
      return "";
    }
  }
  std::vector<BYTE> hash = Pbkdf2Sha256(password, salt, kPasswordHashIterations, kHashBytes, error);
  if (hash.size() != kHashBytes) return "";
  return std::string(kPasswordHashMarker) + ToHex(salt) + "$" + ToHex(hash);
}

bool IsPasswordHashRecord(const std::string& stored) {
  return stored.starts_with(kPasswordHashMarker);
}

bool PasswordMatches(const std::string& typed, const std::optional<std::string>& stored) {
  if (!stored) return false;
  if (IsPasswordHashRecord(*stored)) {
    auto record = ParseHashRecord(*stored);
    if (!record) return false;
    std::vector<BYTE> hash =
        Pbkdf2Sha256(typed, record->salt, kPasswordHashIterations, kHashBytes);
    return hash.size() == kHashBytes && SameBytes(hash, record->hash);
  }
  std::string current = DecryptPasswordText(*stored);
  if (current.empty() && !IsBlankPassword(*stored)) return false;  // could not be unscrambled
  return typed == current;
}

std::optional<std::string> ReadStoredPassword() {
  platform::RegKey key(HKEY_LOCAL_MACHINE, kSettingsKey, RegReadAccess);
  auto value = key.Read(kPasswordValue);
  if (!value || value->type != REG_SZ) return std::nullopt;
  std::string text(value->data.begin(), value->data.end());
  return text.substr(0, text.find('\0'));
}

bool IsBlankPassword(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

PasswordUpdate StorePassword(const std::string& password) {
  DWORD error = 0;
  std::string record = HashPassword(password, &error);
  if (record.empty()) return Failure(PasswordUpdate::HashFailed, error);
  PasswordUpdate update = WriteValue([&record](HKEY key) {
    return RegSetValueExA(key, kPasswordValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(record.c_str()),
                          static_cast<DWORD>(record.size() + 1));
  });
  if (!update.Succeeded()) return update;
  return WriteValue([](HKEY key) {
    const DWORD one = 1;
    return RegSetValueExA(key, kPasswordSetValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                          sizeof one);
  });
}

PasswordUpdate RemovePassword() {
  PasswordUpdate update = DeleteValue(kPasswordSetValue);
  if (!update.Succeeded()) return update;
  return DeleteValue(kPasswordValue);
}

std::string PasswordUpdateFailureText(const std::string& action, const PasswordUpdate& update) {
  char code[16];
  switch (update.outcome) {
    case PasswordUpdate::Done:
      return "";
    case PasswordUpdate::KeyMissing:
      return action + " failed: the settings key HKEY_LOCAL_MACHINE\\" + kSettingsKey +
             " does not exist.  Reinstall " + kAppTitle + " to restore it.";
    case PasswordUpdate::WriteFailed:
      return action + " failed: the settings could not be written to the registry (error " +
             std::to_string(update.error) + ").";
    case PasswordUpdate::HashFailed:
      std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(update.error));
      return action + " failed: the password could not be protected by the system's "
                      "cryptographic service (error " + code + ").";
  }
  return "";
}
