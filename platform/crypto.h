#pragma once
// The system's cryptographic service (CryptoAPI, the AES provider type, which carries
// SHA-256): random bytes and hashes.
#include <windows.h>
#include <wincrypt.h>

#include <array>
#include <initializer_list>
#include <span>

namespace platform {

using Sha256Digest = std::array<BYTE, 32>;

// A verify-only context of the default PROV_RSA_AES provider, released when the object
// goes. Every call returns false on failure and leaves the system's error in Error().
class CryptoProvider {
 public:
  CryptoProvider();
  ~CryptoProvider();
  CryptoProvider(const CryptoProvider&) = delete;
  CryptoProvider& operator=(const CryptoProvider&) = delete;

  bool IsOpen() const { return provider_ != 0; }
  DWORD Error() const { return error_; }

  // CryptGenRandom into `out`.
  bool Random(std::span<BYTE> out);
  // SHA-256 of the parts, one after the other.
  bool Sha256(std::initializer_list<std::span<const BYTE>> parts, Sha256Digest& digest);

 private:
  HCRYPTPROV provider_ = 0;
  DWORD error_ = 0;
};

}  // namespace platform
