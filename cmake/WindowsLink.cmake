# How the program's executables are compiled and linked for Windows, by toolchain, in one place:
# the build uses it, and a test reads the MSVC branch to make sure that branch still links.
include_guard(GLOBAL)

# The oldest Windows the program runs on: Windows 10, version 1607, the first with the
# per-monitor DPI calls it imports (GetDpiForWindow, GetSystemMetricsForDpi). The PE header says
# 10.0, so an older Windows refuses the exe with a clear message instead of failing at a missing
# import; the manifest names Windows 10 and 11 likewise.
set(TAVERO_MIN_WINDOWS "Windows 10, version 1607")

# Compile options of the program's own code: small code (the program waits for the user nearly
# all its life; the benchmark shows no cost), and sections the linker can drop when unused.
function(tavero_size_options out)
  if(MINGW)
    set(${out} -Os -ffunction-sections -fdata-sections PARENT_SCOPE)
    # The key engine, where a hotkey's latency is spent, is compiled for speed all the same.
    file(GLOB engine "${PROJECT_SOURCE_DIR}/src/playback/*.cpp")
    set_source_files_properties(${engine} DIRECTORY ${PROJECT_SOURCE_DIR} PROPERTIES
                                COMPILE_OPTIONS -O2)
  elseif(MSVC)
    set(${out} /Gy PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

# Link options of a windowed exe with a wWinMain. EMBEDS_MANIFEST: its resource script embeds
# the manifest, so the MSVC linker must not make one of its own (two would be a duplicate
# resource, CVT1100 / LNK1123).
function(tavero_exe_link_options out)
  cmake_parse_arguments(arg "EMBEDS_MANIFEST" "" "" ${ARGN})
  if(MINGW)
    # Relocatable anywhere with high entropy, no code run from data, aware of terminal servers;
    # no time stamp, so a build is the same bytes each time; unused sections dropped.
    set(flags -municode -s -Wl,--dynamicbase,--nxcompat,--high-entropy-va,--tsaware
        -Wl,--major-subsystem-version,10,--minor-subsystem-version,0
        -Wl,--major-os-version,10,--minor-os-version,0
        -Wl,--no-insert-timestamp -Wl,--gc-sections)
  elseif(MSVC)
    # The same, plus the DLLs the exe imports taken from the system folder only (written into
    # the load configuration, which GNU ld does not write). /Brepro: a reproducible time stamp.
    set(flags /DYNAMICBASE /NXCOMPAT /HIGHENTROPYVA /TSAWARE /DEPENDENTLOADFLAG:0x800
        /SUBSYSTEM:WINDOWS,10.00 /Brepro /OPT:REF /OPT:ICF)
    if(arg_EMBEDS_MANIFEST)
      list(APPEND flags /MANIFEST:NO)
    endif()
  else()
    # Another toolchain (a GNU-style clang, say) gets neither branch's flags.
    set(flags "")
  endif()
  set(${out} ${flags} PARENT_SCOPE)
endfunction()
