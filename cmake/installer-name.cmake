# The installer's file name without ".exe", from the build configuration.
string(REGEX REPLACE "\\.[eE][xX][eE]$" "" TARNEL_INSTALLER_NAME "${TARNEL_FILE_NAME}")
