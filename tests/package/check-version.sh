#!/usr/bin/env bash
# The package version sorts the way the code grew, whichever way the sources
# arrive: a full clone, a shallow clone, a `git archive` tarball, a tagged or
# switched release, a rebased branch. Builds a small repository with
# packaging/version.cmake and asks dpkg how the versions it names compare.
# Skips (status 77) without git or dpkg.
set -uo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
for tool in git dpkg cmake; do
  command -v $tool >/dev/null || { echo "SKIP: no $tool here"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export GIT_AUTHOR_NAME=t GIT_AUTHOR_EMAIL=t@example.invalid GIT_COMMITTER_NAME=t \
  GIT_COMMITTER_EMAIL=t@example.invalid GIT_CONFIG_NOSYSTEM=1 HOME=$work
repo=$work/repo
mkdir -p "$repo/packaging"
cp "$source/packaging/version.cmake" "$source/packaging/git-archival.txt" "$repo/packaging/"
cp "$source/.gitattributes" "$repo/"
commit() { # commit DATE MESSAGE
  echo "$2" >>"$repo/log"
  git -C "$repo" add -A
  GIT_AUTHOR_DATE="$1" GIT_COMMITTER_DATE="$1" git -C "$repo" commit -qm "$2"
}
# version DIR [PROJECT-VERSION [RELEASE]]
version() {
  cmake -DSOURCE="$1" -DPROJECT_VERSION="${2:-1.0}" -DRELEASE="${3:-OFF}" \
    -P "$repo/packaging/version.cmake" | sed -n 1p
}

git -C "$repo" init -q -b main
commit "2026-12-01T09:00:00Z" first
first=$(version "$repo")
commit "2026-12-08T15:00:00Z" second
second=$(version "$repo")
hash=$(git -C "$repo" rev-parse --short=7 HEAD)
git clone -q --depth 1 "file://$repo" "$work/shallow"
shallow=$(version "$work/shallow")
mkdir "$work/tarball"
git -C "$repo" archive HEAD | tar -x -C "$work/tarball"
tarball=$(version "$work/tarball")
mkdir "$work/bare"
cp -r "$repo/packaging" "$work/bare/"
unknown=$(version "$work/bare")
switched=$(version "$repo" 1.0 ON)
git -C "$repo" tag v1.0
tagged=$(version "$repo")
git -C "$work/shallow" fetch -q --depth 1 origin tag v1.0
git -C "$work/shallow" checkout -q v1.0
tagged_shallow=$(version "$work/shallow")
git -C "$repo" archive v1.0 | tar -x -C "$work/tarball"
tagged_tarball=$(version "$work/tarball")
# A rebase rewrites an old change on top: the committer's date is today's.
git -C "$repo" checkout -q -b topic HEAD~1
GIT_AUTHOR_DATE="2026-11-20T00:00:00Z" GIT_COMMITTER_DATE="2026-12-09T08:00:00Z" \
  bash -c "echo topic >>'$repo/topic' && git -C '$repo' add -A && git -C '$repo' commit -qm topic"
rebased=$(version "$repo")
next=$(version "$repo" 1.1)

passed=0
failures=0
# row NAME VERSION-A OP VERSION-B  (dpkg's lt, eq, gt on the package versions)
row() {
  if [[ -n $2 && -n $4 ]] && dpkg --compare-versions "$2-1" "$3" "$4-1"; then
    passed=$((passed + 1))
  else
    echo "FAIL: $1: $2 $3 $4"
    failures=$((failures + 1))
  fi
}
row "a later commit sorts above an earlier one" "$first" lt "$second"
row "a shallow clone names what the full clone names" "$shallow" eq "$second"
row "a git-archive tarball names what the clone names" "$tarball" eq "$second"
row "a snapshot sorts below its release" "$second" lt "$tagged"
row "the tag v1.0 makes the release" "$tagged" eq "1.0"
row "the release switch makes the release" "$switched" eq "1.0"
row "a tagged shallow clone is the release" "$tagged_shallow" eq "1.0"
row "a tarball of the tag is the release" "$tagged_tarball" eq "1.0"
row "a rebased commit sorts above what it was rebased on" "$second" lt "$rebased"
row "the next version's snapshots sort above the release" "1.0" lt "$next"
row "sources that name no commit sort below every snapshot" "$unknown" lt "$first"
# The snapshot's form: the commit's date and time, then its hash.
if [[ $second == "1.0~git20261208.150000.$hash" ]]; then
  passed=$((passed + 1))
else
  echo "FAIL: snapshot version $second, not 1.0~git20261208.150000.$hash"
  failures=$((failures + 1))
fi

echo "$passed passed, $failures failed"
[[ $failures -eq 0 ]]
