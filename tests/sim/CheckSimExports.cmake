# Checks with objdump that each simulated library is a DLL of this build's machine type and
# exports exactly the expected names, undecorated (no "_name" or "name@n" on i686).
# cmake -DOBJDUMP=<objdump> -DSIM_DIR=<build>/sim -DMACHINE=<pei-i386|pei-x86-64> -P CheckSimExports.cmake
set(device_names
  AMDeviceConnect AMDeviceCopyValue AMDeviceDisconnect AMDeviceEnterRecovery AMDeviceGetInterfaceType
  AMDeviceIsPaired AMDeviceNotificationSubscribe AMDeviceStartService AMDeviceStartSession AMDeviceStopSession
  AMDeviceValidatePairing AMRecoveryModeDeviceReboot AMRecoveryModeDeviceSetAutoBoot
  AMRestoreRegisterForDeviceNotifications SimExecute)
set(cf_names
  CFStringCreateWithCString CFStringGetCString CFStringGetCStringPtr CFStringGetSystemEncoding
  __CFStringMakeConstantString)

set(no_start_session ${device_names})
list(REMOVE_ITEM no_start_session AMDeviceStartSession)
set(no_enter_recovery ${device_names})
list(REMOVE_ITEM no_enter_recovery AMDeviceEnterRecovery)
set(no_cstring_ptr ${cf_names})
list(REMOVE_ITEM no_cstring_ptr CFStringGetCStringPtr)

set(failures "")
function(check file)
  set(expected ${ARGN})
  execute_process(COMMAND ${OBJDUMP} -p ${SIM_DIR}/${file} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    set(failures "${failures}\n${file}: objdump failed (is it built?)" PARENT_SCOPE)
    return()
  endif()
  if(NOT dump MATCHES "file format ${MACHINE}")
    set(failures "${failures}\n${file}: not of machine type ${MACHINE}" PARENT_SCOPE)
  endif()
  string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
  string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" entries "${table}")
  set(names "")
  foreach(entry ${entries})
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${entry}")
    list(APPEND names "${name}")
  endforeach()
  list(SORT names)
  list(SORT expected)
  if(NOT names STREQUAL expected)
    set(failures "${failures}\n${file}: exports\n  ${names}\nexpected\n  ${expected}" PARENT_SCOPE)
  endif()
endfunction()

check(iTunesMobileDevice.dll ${device_names})
check(CoreFoundation.dll ${cf_names})
check(variants/no-start-session/iTunesMobileDevice.dll ${no_start_session})
check(variants/no-enter-recovery/iTunesMobileDevice.dll ${no_enter_recovery})
check(variants/no-cstring-ptr/CoreFoundation.dll ${no_cstring_ptr})
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "all simulated libraries export exactly their names")
