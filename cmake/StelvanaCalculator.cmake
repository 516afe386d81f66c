# A calculator is a folder of its own, and this names its libraries once:
#
#   stelvana_add_calculator(NAME
#     CALCULATION sources…   standard C++: its fields, calculation, checks and entry
#     WINDOW sources…        its window (Qt Widgets)
#     SHEET sources…)        its calculation sheet (Qt Gui)
#
# makes NAME_calculation, NAME_window and NAME_sheet and enters them in the
# lists the registry (calculators/) and the frame (app/) link. A build of the
# core alone makes the calculation only.
function(stelvana_add_calculator name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "CALCULATION;WINDOW;SHEET")
  set(calculation ${name}_calculation)
  add_library(${calculation} STATIC ${arg_CALCULATION})
  target_include_directories(${calculation} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${calculation} PUBLIC calculator_entry)
  set_target_properties(${calculation} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  set_property(GLOBAL APPEND PROPERTY STELVANA_CALCULATIONS ${calculation})
  if(STELVANA_CORE_ONLY)
    return()
  endif()
  if(arg_WINDOW)
    add_library(${name}_window STATIC ${arg_WINDOW})
    target_include_directories(${name}_window PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name}_window PUBLIC ${calculation} ui Qt6::Widgets)
    set_property(GLOBAL APPEND PROPERTY STELVANA_WINDOWS ${name}_window)
  endif()
  if(arg_SHEET)
    add_library(${name}_sheet STATIC ${arg_SHEET})
    target_include_directories(${name}_sheet PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name}_sheet PUBLIC ${calculation} report_sheet)
    set_property(GLOBAL APPEND PROPERTY STELVANA_WINDOWS ${name}_sheet)
  endif()
endfunction()
