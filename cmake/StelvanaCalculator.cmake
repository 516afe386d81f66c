# A calculator is a folder of its own, and this names its libraries and its
# parts once:
#
#   stelvana_add_calculator(NAME
#     ENTRY header function            its CalculatorEntry: "sectionentry.h sectionCalculator"
#     WINDOW_CLASS header class        its window: "sectionform.h SectionForm"
#     SHEET_BUILDER header function    its calculation sheet: "sectionsheet.h sectionSheet"
#     CALCULATION sources…   standard C++: its fields, calculation, checks and entry
#     WINDOW sources…        its window (Qt Widgets)
#     SHEET sources…)        its calculation sheet (Qt Gui)
#
# makes NAME_calculation, NAME_window and NAME_sheet and enters the calculator
# in the lists generated above the calculators: the registry (registry/) and
# the frame's windows (app/), in the order the calculators are added. A build
# of the core alone makes the calculation only.
function(stelvana_add_calculator name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" ""
                        "ENTRY;WINDOW_CLASS;SHEET_BUILDER;CALCULATION;WINDOW;SHEET")
  list(LENGTH arg_ENTRY entry_words)
  if(NOT entry_words EQUAL 2)
    message(FATAL_ERROR "stelvana_add_calculator(${name}): ENTRY needs a header and a function")
  endif()
  set_property(GLOBAL APPEND PROPERTY STELVANA_CALCULATORS ${name})
  set_property(GLOBAL PROPERTY STELVANA_CALCULATOR_${name}_ENTRY ${arg_ENTRY})
  set_property(GLOBAL PROPERTY STELVANA_CALCULATOR_${name}_DIR ${CMAKE_CURRENT_SOURCE_DIR})
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
    set_property(GLOBAL PROPERTY STELVANA_CALCULATOR_${name}_WINDOW_CLASS ${arg_WINDOW_CLASS})
  endif()
  if(arg_SHEET)
    add_library(${name}_sheet STATIC ${arg_SHEET})
    target_include_directories(${name}_sheet PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name}_sheet PUBLIC ${calculation} report_sheet)
    set_property(GLOBAL APPEND PROPERTY STELVANA_WINDOWS ${name}_sheet)
    set_property(GLOBAL PROPERTY STELVANA_CALCULATOR_${name}_SHEET_BUILDER ${arg_SHEET_BUILDER})
  endif()
endfunction()
