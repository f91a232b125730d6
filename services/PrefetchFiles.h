#pragma once
// The Windows prefetch files, which Windows rebuilds as it starts programs. The service
// presets and the junk cleaner delete them.

// Deletes for good, without asking, every file of the Windows Prefetch folder (the
// environment variable "windir" followed by "\Prefetch") whose name matches "*.pf".
// Only files go: a folder stays, whatever its name. A file that cannot be deleted (in use,
// read-only) stays and the others still go; nothing is reported. With "windir" unset or
// empty nothing is deleted.
void DeletePrefetchFiles();
