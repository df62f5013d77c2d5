/* slowfs: a read-only passthrough file system that waits before every lookup, open, read
 * and directory read, as a network share waits on its server.
 *
 *   slowfs SOURCE MOUNTPOINT [-o delay_us=1000] [FUSE options]
 *
 * SOURCE is shown at MOUNTPOINT unchanged; each getattr (the lookup of a name), open, read,
 * opendir and readdir call first sleeps delay_us microseconds (1 ms by default). Directory
 * reads return one kernel buffer per call, so a large folder costs one wait per buffer, as
 * a share answers a listing in blocks. Run it multi-threaded (the default) with a large
 * max_threads, so that waits of concurrent requests overlap as they do on a server.
 */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <fuse.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

static struct {
    char *source;
    unsigned delay_us;
} options = {NULL, 1000};

static const struct fuse_opt option_spec[] = {
    {"delay_us=%u", offsetof(typeof(options), delay_us), 0},
    FUSE_OPT_END,
};

static void wait_like_a_server(void)
{
    if (options.delay_us == 0)
        return;
    struct timespec ts = {options.delay_us / 1000000, (long)(options.delay_us % 1000000) * 1000};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

static void full_path(char out[PATH_MAX], const char *path)
{
    snprintf(out, PATH_MAX, "%s%s", options.source, path);
}

static void *slow_init(struct fuse_conn_info *conn, struct fuse_config *cfg)
{
    (void)conn;
    cfg->use_ino = 1;
    /* As a share with one-second attribute caching. */
    cfg->entry_timeout = 1.0;
    cfg->attr_timeout = 1.0;
    cfg->negative_timeout = 0;
    return NULL;
}

static int slow_getattr(const char *path, struct stat *st, struct fuse_file_info *fi)
{
    wait_like_a_server();
    if (fi)
        return fstat((int)fi->fh, st) == -1 ? -errno : 0;
    char p[PATH_MAX];
    full_path(p, path);
    return lstat(p, st) == -1 ? -errno : 0;
}

static int slow_readlink(const char *path, char *buf, size_t size)
{
    char p[PATH_MAX];
    full_path(p, path);
    ssize_t n = readlink(p, buf, size - 1);
    if (n == -1)
        return -errno;
    buf[n] = '\0';
    return 0;
}

struct slow_dir {
    DIR *dir;
    struct dirent *entry;
    off_t offset;
};

static int slow_opendir(const char *path, struct fuse_file_info *fi)
{
    wait_like_a_server();
    char p[PATH_MAX];
    full_path(p, path);
    struct slow_dir *d = calloc(1, sizeof *d);
    if (!d)
        return -ENOMEM;
    d->dir = opendir(p);
    if (!d->dir) {
        int error = -errno;
        free(d);
        return error;
    }
    fi->fh = (unsigned long)d;
    return 0;
}

static int slow_readdir(const char *path, void *buf, fuse_fill_dir_t filler, off_t offset,
                        struct fuse_file_info *fi, enum fuse_readdir_flags flags)
{
    (void)path;
    (void)flags;
    wait_like_a_server();
    struct slow_dir *d = (struct slow_dir *)fi->fh;
    if (offset != d->offset) {
        seekdir(d->dir, offset);
        d->entry = NULL;
        d->offset = offset;
    }
    for (;;) {
        if (!d->entry) {
            d->entry = readdir(d->dir);
            if (!d->entry)
                break;
        }
        struct stat st = {0};
        st.st_ino = d->entry->d_ino;
        st.st_mode = (mode_t)(d->entry->d_type << 12);
        off_t next = telldir(d->dir);
        if (filler(buf, d->entry->d_name, &st, next, 0))
            break; /* the kernel's buffer is full: the rest comes with the next call */
        d->entry = NULL;
        d->offset = next;
    }
    return 0;
}

static int slow_releasedir(const char *path, struct fuse_file_info *fi)
{
    (void)path;
    struct slow_dir *d = (struct slow_dir *)fi->fh;
    closedir(d->dir);
    free(d);
    return 0;
}

static int slow_open(const char *path, struct fuse_file_info *fi)
{
    wait_like_a_server();
    if ((fi->flags & O_ACCMODE) != O_RDONLY)
        return -EROFS;
    char p[PATH_MAX];
    full_path(p, path);
    int fd = open(p, fi->flags);
    if (fd == -1)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int slow_read(const char *path, char *buf, size_t size, off_t offset,
                     struct fuse_file_info *fi)
{
    (void)path;
    wait_like_a_server();
    ssize_t n = pread((int)fi->fh, buf, size, offset);
    return n == -1 ? -errno : (int)n;
}

static int slow_release(const char *path, struct fuse_file_info *fi)
{
    (void)path;
    close((int)fi->fh);
    return 0;
}

static int slow_statfs(const char *path, struct statvfs *st)
{
    char p[PATH_MAX];
    full_path(p, path);
    return statvfs(p, st) == -1 ? -errno : 0;
}

static const struct fuse_operations slow_operations = {
    .init = slow_init,
    .getattr = slow_getattr,
    .readlink = slow_readlink,
    .opendir = slow_opendir,
    .readdir = slow_readdir,
    .releasedir = slow_releasedir,
    .open = slow_open,
    .read = slow_read,
    .release = slow_release,
    .statfs = slow_statfs,
};

/* The first plain argument is the source folder; everything else goes to FUSE. */
static int take_source(void *data, const char *arg, int key, struct fuse_args *outargs)
{
    (void)data;
    (void)outargs;
    if (key != FUSE_OPT_KEY_NONOPT || options.source)
        return 1;
    options.source = realpath(arg, NULL);
    if (!options.source) {
        perror(arg);
        return -1;
    }
    return 0;
}

int main(int argc, char *argv[])
{
    struct fuse_args args = FUSE_ARGS_INIT(argc, argv);
    if (fuse_opt_parse(&args, &options, option_spec, take_source) == -1)
        return 1;
    if (!options.source) {
        fprintf(stderr, "usage: slowfs SOURCE MOUNTPOINT [-o delay_us=N] [FUSE options]\n");
        return 1;
    }
    int rc = fuse_main(args.argc, args.argv, &slow_operations, NULL);
    fuse_opt_free_args(&args);
    free(options.source);
    return rc;
}
