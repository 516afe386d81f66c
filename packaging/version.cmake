# The package version, in an order dpkg sorts the way the code grew:
#   1.0~git20261208.150112.2644488   a snapshot: the commit's UTC date and time and its hash
#   1.0                              the release: HEAD tagged v1.0, or STELVANA_RELEASE=ON
#   1.0~0                            sources that say nothing of their commit
# The '~' sorts a snapshot below the release it leads to and above the
# release before it (1.0 < 1.1~git...). The committer's date grows across a
# rebase, which a commit count does not. A shallow clone knows its HEAD
# commit, and a tarball made by `git archive` carries it in git-archival.txt.
#
# Included, it defines stelvana_version(); run as
#   cmake -DSOURCE=dir -DPROJECT_VERSION=1.0 [-DRELEASE=ON] -P version.cmake
# it prints the version, its kind and the commit's time, one to a line.

# Sets in the caller: STELVANA_PACKAGE_VERSION, version_kind (release,
# snapshot or unknown), version_commit (short hash or empty), commit_epoch.
function(stelvana_version source project_version release)
  set(kind unknown)
  set(hash "")
  set(epoch "")
  set(tags "")
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
                    WORKING_DIRECTORY ${source}
                    OUTPUT_VARIABLE top RESULT_VARIABLE status
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(status EQUAL 0)
      file(REAL_PATH "${top}" top)
      file(REAL_PATH "${source}" source_top)
    endif()
    # Only this project's own repository counts, not one it happens to sit in.
    if(status EQUAL 0 AND top STREQUAL source_top)
      execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct\ %H\ %D HEAD
                      WORKING_DIRECTORY ${source}
                      OUTPUT_VARIABLE facts OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      set(kind snapshot)
    endif()
  endif()
  if(NOT kind STREQUAL snapshot AND EXISTS "${source}/packaging/git-archival.txt")
    file(READ "${source}/packaging/git-archival.txt" facts)
    string(STRIP "${facts}" facts)
    if(NOT facts MATCHES "Format:")
      set(kind snapshot)
    endif()
  endif()
  if(kind STREQUAL snapshot)
    if(facts MATCHES "^([0-9]+) ([0-9a-f]+) ?(.*)$")
      set(epoch ${CMAKE_MATCH_1})
      string(SUBSTRING "${CMAKE_MATCH_2}" 0 7 hash)
      set(tags "${CMAKE_MATCH_3}")
    else()
      set(kind unknown)
    endif()
  endif()
  # A release is a deliberate act: the tag v<version> on the commit built,
  # or the switch set by whoever makes the release.
  string(REPLACE "." "\\." version_pattern "${project_version}")
  if(release OR tags MATCHES "(^|, )tag: v${version_pattern}(,|$)")
    set(kind release)
    set(version "${project_version}")
  elseif(kind STREQUAL snapshot)
    set(saved "$ENV{SOURCE_DATE_EPOCH}")
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
    string(TIMESTAMP when "%Y%m%d.%H%M%S" UTC)
    set(ENV{SOURCE_DATE_EPOCH} "${saved}")
    set(version "${project_version}~git${when}.${hash}")
  else()
    set(version "${project_version}~0")
  endif()
  set(STELVANA_PACKAGE_VERSION "${version}" PARENT_SCOPE)
  set(version_kind "${kind}" PARENT_SCOPE)
  set(version_commit "${hash}" PARENT_SCOPE)
  set(commit_epoch "${epoch}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  stelvana_version("${SOURCE}" "${PROJECT_VERSION}" "${RELEASE}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${STELVANA_PACKAGE_VERSION}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${version_kind}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${commit_epoch}")
endif()
