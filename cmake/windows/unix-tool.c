/* A stand-in for a Debian tool inside Wine, used by the Windows test runs:
 * built as pdftotext.exe or pdfinfo.exe, it runs /usr/bin/<its own name>
 * with every argument that names an existing Windows file turned into that
 * file's Unix path, and passes on its exit code. The sheet's tests read the
 * text of the PDFs they write with Debian's poppler this way, under Wine as
 * on Linux.
 *
 * Wine starts a Unix program from a Windows one, but gives back no process
 * handle to wait on, and a Windows pipe (QProcess reads through one) does not
 * reach it as its output. So the tool runs under /bin/sh with its output and
 * errors going into files, and sh leaves its exit code in a third once it
 * has ended; this program then copies the two files to its own standard
 * output and error. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

typedef char*(CDECL* unix_name_fn)(const WCHAR*);

static char script[32768];
static size_t script_length;

static void add(const char* text)
{
    const size_t n = strlen(text);
    if (script_length + n + 1 >= sizeof script) {
        fputs("unix-tool: command line too long\n", stderr);
        exit(127);
    }
    memcpy(script + script_length, text, n + 1);
    script_length += n;
}

/* `text` in single quotes for sh: ' becomes '\''. */
static void add_sh_quoted(const char* text)
{
    add(" '");
    for (const char* p = text; *p; ++p) {
        char one[2] = { *p, '\0' };
        add(*p == '\'' ? "'\\''" : one);
    }
    add("'");
}

/* `arg` as one argument of a Windows command line: in double quotes, with
 * the backslashes before a quote doubled and the quote escaped. */
static void quote_for_windows(char* out, size_t size, const char* arg)
{
    size_t at = 0;
    out[at++] = '"';
    for (const char* p = arg;; ++p) {
        size_t backslashes = 0;
        while (*p == '\\') {
            ++backslashes;
            ++p;
        }
        const size_t copies = *p == '\0' || *p == '"' ? 2 * backslashes : backslashes;
        if (at + copies + 4 >= size) {
            fputs("unix-tool: command line too long\n", stderr);
            exit(127);
        }
        memset(out + at, '\\', copies);
        at += copies;
        if (*p == '\0')
            break;
        if (*p == '"')
            out[at++] = '\\';
        out[at++] = *p;
    }
    out[at++] = '"';
    out[at] = '\0';
}

/* A fresh name in the temporary folder, as Windows and as Unix sees it. */
static char* scratch_file(WCHAR* windows_name)
{
    WCHAR folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"ut", 0, windows_name);
    DeleteFileW(windows_name);
    unix_name_fn unix_name = (unix_name_fn)(void*)GetProcAddress(
        GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    char* name = unix_name(windows_name);
    if (!name) {
        fputs("unix-tool: no Unix path for the temporary folder\n", stderr);
        exit(127);
    }
    return name;
}

/* The file's bytes to `to`, then the file away. */
static void pass_on(const WCHAR* file_name, HANDLE to)
{
    HANDLE file = CreateFileW(file_name, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        static char buffer[65536];
        DWORD got, put;
        while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0)
            WriteFile(to, buffer, got, &put, NULL);
        CloseHandle(file);
    }
    DeleteFileW(file_name);
}

int wmain(int argc, WCHAR** argv)
{
    unix_name_fn unix_name = (unix_name_fn)(void*)GetProcAddress(
        GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!unix_name) {
        fputs("unix-tool: this runs under Wine only\n", stderr);
        return 127;
    }
    /* Our own name without folder and .exe: the Debian tool to run. */
    WCHAR self[MAX_PATH];
    GetModuleFileNameW(NULL, self, MAX_PATH);
    WCHAR* name = wcsrchr(self, L'\\') ? wcsrchr(self, L'\\') + 1 : self;
    WCHAR* dot = wcsrchr(name, L'.');
    if (dot)
        *dot = L'\0';
    char tool[MAX_PATH + 16];
    snprintf(tool, sizeof tool, "/usr/bin/%ls", name);

    WCHAR out[MAX_PATH], err[MAX_PATH], done[MAX_PATH], done_tmp[MAX_PATH];
    char* out_unix = scratch_file(out);
    char* err_unix = scratch_file(err);
    char* done_unix = scratch_file(done);
    char* done_tmp_unix = scratch_file(done_tmp);

    add_sh_quoted(tool);
    for (int i = 1; i < argc; ++i) {
        char* path = GetFileAttributesW(argv[i]) != INVALID_FILE_ATTRIBUTES ? unix_name(argv[i]) : NULL;
        if (path) {
            add_sh_quoted(path);
            HeapFree(GetProcessHeap(), 0, path);
        } else {
            static char plain[8192];
            WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, plain, sizeof plain, NULL, NULL);
            add_sh_quoted(plain);
        }
    }
    add(" </dev/null >");
    add_sh_quoted(out_unix);
    add(" 2>");
    add_sh_quoted(err_unix);
    /* The exit code appears whole or not at all. */
    add("; echo $? >");
    add_sh_quoted(done_tmp_unix);
    add(" && mv");
    add_sh_quoted(done_tmp_unix);
    add_sh_quoted(done_unix);

    static char line[65536];
    static char quoted[65536 - 32];
    quote_for_windows(quoted, sizeof quoted, script);
    snprintf(line, sizeof line, "Z:\\bin\\sh -c %s", quoted);
    STARTUPINFOA start = { sizeof start };
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &start, &process)) {
        fprintf(stderr, "unix-tool: cannot start %s (error %lu)\n", tool, GetLastError());
        return 127;
    }
    /* Two minutes at most; the tests wait thirty seconds. */
    for (int waited = 0; waited < 120000; waited += 20) {
        FILE* file = _wfopen(done, L"r");
        int code = -1;
        if (file) {
            const int read = fscanf(file, "%d", &code);
            fclose(file);
            if (read == 1) {
                DeleteFileW(done);
                fflush(stdout);
                pass_on(out, GetStdHandle(STD_OUTPUT_HANDLE));
                pass_on(err, GetStdHandle(STD_ERROR_HANDLE));
                return code;
            }
        }
        Sleep(20);
    }
    fprintf(stderr, "unix-tool: %s did not end\n", tool);
    return 127;
}
