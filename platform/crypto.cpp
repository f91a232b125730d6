#include "platform/crypto.h"

#include <wincrypt.h>

namespace platform {

CryptoProvider::CryptoProvider() {
  if (!CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_AES,
                            CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
    provider_ = 0;
    DWORD error = GetLastError();
    error_ = error ? error : static_cast<DWORD>(NTE_FAIL);
  }
}

CryptoProvider::~CryptoProvider() {
  if (provider_) CryptReleaseContext(provider_, 0);
}

bool CryptoProvider::Random(std::span<BYTE> out) {
  if (!provider_) return false;
  if (out.empty()) return true;
  if (CryptGenRandom(provider_, static_cast<DWORD>(out.size()), out.data())) return true;
  DWORD error = GetLastError();
  error_ = error ? error : static_cast<DWORD>(NTE_FAIL);
  return false;
}

bool CryptoProvider::Sha256(std::initializer_list<std::span<const BYTE>> parts,
                            Sha256Digest& digest) {
  if (!provider_) return false;
  HCRYPTHASH hash = 0;
  if (!CryptCreateHash(provider_, CALG_SHA_256, 0, 0, &hash)) {
    error_ = GetLastError();
    return false;
  }
  bool ok = true;
  for (std::span<const BYTE> part : parts) {
    if (part.empty()) continue;
    if (!CryptHashData(hash, part.data(), static_cast<DWORD>(part.size()), 0)) {
      ok = false;
      break;
    }
  }
  DWORD size = static_cast<DWORD>(digest.size());
  ok = ok && CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &size, 0) && size == digest.size();
  if (!ok) {
    DWORD error = GetLastError();
    error_ = error ? error : static_cast<DWORD>(NTE_FAIL);
  }
  CryptDestroyHash(hash);
  return ok;
}

}  // namespace platform
