# The one source of the release: the version (--version, the About window, the package, the AppStream
# entry), its date (the AppStream release and the manual pages) and the application id that names the
# desktop entry, the icons and the AppStream entry. The top-level project and the fuzz build read it.
# A new release also gets its entry in packaging/changelog.in, which the package test compares.
set(CALC_VERSION 1.0)
set(CALC_RELEASE_DATE 2026-12-07)
set(CALC_APP_ID org.exactcalc.Calculator)
