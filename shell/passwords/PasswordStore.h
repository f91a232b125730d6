#pragma once
// The start-up password and its two settings values in HKEY_LOCAL_MACHINE kSettingsKey:
// "Password Set" (REG_DWORD, 1 while a password is set) and "Password" (REG_SZ).
//
// "Password" holds either
//   - a salted hash record, written for every password set or changed in this version:
//     "$qh1$" + 32 hex digits of a random 16-byte salt + "$" + 64 hex digits of
//     PBKDF2-HMAC-SHA256(password, salt, 100000 iterations, 32 bytes); or
//   - the character shift of older versions (each ANSI code plus 10), which is still read
//     so that a password set by an older version keeps working until it is changed.
//
// The settings key is opened, never created: while it is missing no password can be set,
// and the dialogs say so rather than pretend.
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

// ---- the character shift of older versions (FrmMain::Encrypt / Decrypt)

// Every character's ANSI code moved by `shift`. Text made only of blanks (or empty) gives
// "". A code that leaves 0..255, or text longer than 32767 characters, shows the error box
// "Error <n> (<description>) in procedure <procedure> of Form frmmain" and gives "".
std::string ShiftPasswordText(const std::string& text, int shift, const char* procedure);
inline std::string EncryptPasswordText(const std::string& text) {
  return ShiftPasswordText(text, 10, "Encrypt");
}
inline std::string DecryptPasswordText(const std::string& text) {
  return ShiftPasswordText(text, -10, "Decrypt");
}

// ---- the salted hash

inline constexpr char kPasswordHashMarker[] = "$qh1$";
inline constexpr int kPasswordHashIterations = 100000;
inline constexpr size_t kPasswordSaltBytes = 16;

// PBKDF2 with HMAC-SHA256 (RFC 8018) through the system's cryptographic service; empty
// when the service fails (its error in *error when given).
std::vector<BYTE> Pbkdf2Sha256(const std::string& password, std::span<const BYTE> salt,
                               int iterations, size_t length, DWORD* error = nullptr);

// A new record for the password with a fresh random salt; "" when the service fails.
std::string HashPassword(const std::string& password, DWORD* error = nullptr);

// True when the stored text starts with the hash record's marker.
bool IsPasswordHashRecord(const std::string& stored);

// True when `typed` is the password that `stored` holds. A hash record is checked against
// its salt; any other text is unscrambled with DecryptPasswordText. Nothing matches a
// missing value, a malformed hash record, or an older value that cannot be unscrambled
// (DecryptPasswordText shows its error box and gives "" for it).
bool PasswordMatches(const std::string& typed, const std::optional<std::string>& stored);

// ---- the settings values

// "Password" read with RegReadAccess, whole (any length); nothing when the key or value is
// missing or holds no text.
std::optional<std::string> ReadStoredPassword();

// True when the text is empty or made only of blanks (code 32).
bool IsBlankPassword(const std::string& text);

struct PasswordUpdate {
  enum Outcome { Done, KeyMissing, WriteFailed, HashFailed };
  Outcome outcome = Done;
  DWORD error = 0;  // the registry's or the cryptographic service's error
  bool Succeeded() const { return outcome == Done; }
};

// Writes the password's hash record to "Password", then "Password Set" = 1, each through
// its own open with RegWriteAccess. Stops at the first failure: a failed "Password" write
// leaves the previous values as they were.
PasswordUpdate StorePassword(const std::string& password);

// Deletes "Password Set", then "Password", each through its own open with RegWriteAccess;
// a value that is already gone counts as deleted. The switch goes first so that a failure
// half-way never leaves protection on without a password to open it.
PasswordUpdate RemovePassword();

// The message for a failed update: `action` ("Setting the password" ...) and the reason.
std::string PasswordUpdateFailureText(const std::string& action, const PasswordUpdate& update);
