/* The unavoidable work of listing a project folder, as a floor for hvadmin-cli list.
 *
 * listread FOLDER apps   lists *.hvt (any case, no dot-files, no "$" names), opens each
 *                        template and reads its title line, opens its .hvd data file and
 *                        reads the 4-byte record count.
 * listread FOLDER dirs   lists *.dir (any case), opens each and reads its caption line.
 * Prints the number of items and a checksum so that no work can be skipped.
 */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <unistd.h>

static int ends_with(const char *name, const char *suffix)
{
    size_t n = strlen(name), s = strlen(suffix);
    return n >= s && strcasecmp(name + n - s, suffix) == 0;
}

/* Reads the file and returns the length of the value after `key` on its line, or 0. */
static size_t value_of(const char *path, const char *key, char *buffer, size_t size)
{
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return 0;
    ssize_t got = read(fd, buffer, size - 1);
    close(fd);
    if (got <= 0)
        return 0;
    buffer[got] = '\0';
    char *at = strcasestr(buffer, key);
    if (!at)
        return 0;
    at += strlen(key);
    return strcspn(at, "\r\n");
}

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    const char *folder = argv[1];
    int apps = strcmp(argv[2], "apps") == 0;
    DIR *dir = opendir(folder);
    if (!dir)
        return 1;
    char path[4096], buffer[65536];
    long items = 0;
    int64_t checksum = 0;
    struct dirent *entry;
    while ((entry = readdir(dir)) != NULL) {
        const char *name = entry->d_name;
        if (name[0] == '.' || !ends_with(name, apps ? ".hvt" : ".dir"))
            continue;
        if (apps && name[0] == '$')
            continue;
        snprintf(path, sizeof path, "%s/%s", folder, name);
        checksum += (int64_t)value_of(path, apps ? "Title=" : "Caption", buffer, sizeof buffer);
        if (apps) {
            size_t n = strlen(path);
            memcpy(path + n - 3, "hvd", 4);
            int fd = open(path, O_RDONLY);
            if (fd >= 0) {
                int32_t count = 0;
                if (pread(fd, &count, 4, 4) == 4)
                    checksum += count;
                close(fd);
            }
        }
        ++items;
    }
    closedir(dir);
    printf("%ld %lld\n", items, (long long)checksum);
    return 0;
}
