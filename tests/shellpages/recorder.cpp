// The tweak pages' recorder, built into this test program too: the Control Center's tools
// are recorded by a copy of this program placed where the tool would be.
#include "../tweaks/recorder.cpp"
