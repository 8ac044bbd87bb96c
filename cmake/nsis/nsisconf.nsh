; Read by makensis before the installer script (scripts/make-installer.sh sets
; NSISCONFDIR): a 64-bit Unicode installer, for its Chinese names and for a
; 64-bit Windows (or a Wine without its 32-bit half).
Target amd64-unicode
