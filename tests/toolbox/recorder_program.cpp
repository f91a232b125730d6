// The tweak tests' recorder, built into this program too: the tool box starts powercfg,
// which the prefix lacks, and the recorder stands in for it.
#include "tweaks/recorder.cpp"
