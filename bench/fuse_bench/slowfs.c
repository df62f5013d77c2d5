/* slowfs: a passthrough file system that answers like a network share: every request waits
 * a while first, and on demand requests are held unanswered, as a share whose server went
 * away holds them.
 *
 *   slowfs SOURCE MOUNTPOINT [-o delay_us=1000] [-o cache_s=1] [-o norename2] [FUSE options]
 *
 * SOURCE is shown at MOUNTPOINT, readable and writable. Each lookup (getattr), open, create,
 * read, write, directory read and change (truncate, rename, link, unlink, mkdir, rmdir,
 * chmod, chown, utimens) first sleeps delay_us microseconds (1 ms by default; 0 for none).
 * Directory reads return one kernel buffer per call, so a large folder costs one wait per
 * buffer, as a share answers a listing in blocks. Names and attributes are cached by the
 * kernel for cache_s seconds (1 by default, as a share with one-second attribute caching).
 * With norename2, a rename with flags (RENAME_NOREPLACE) is refused with ENOSYS, as NFS and
 * some SMB servers refuse it; the kernel then answers EINVAL for every such rename.
 *
 * Signals: SIGUSR1 stalls the file system, from then on every request, those already waiting
 * included, is held without an answer; SIGUSR2 releases them. Run it multi-threaded (the
 * default) with a large max_threads, so that waits of concurrent requests overlap as they do
 * on a server.
 */
#define FUSE_USE_VERSION 31
#define _GNU_SOURCE

#include <fuse.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

static struct {
    char *source;
    unsigned delay_us;
    double cache_s;
    int norename2;
} options = {NULL, 1000, 1.0, 0};

static const struct fuse_opt option_spec[] = {
    {"delay_us=%u", offsetof(typeof(options), delay_us), 0},
    {"cache_s=%lf", offsetof(typeof(options), cache_s), 0},
    {"norename2", offsetof(typeof(options), norename2), 1},
    FUSE_OPT_END,
};

static pthread_mutex_t stall_lock = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t stall_changed = PTHREAD_COND_INITIALIZER;
static int stalled;

/* Holds the calling request for as long as the file system is stalled. */
static void hold_while_stalled(void)
{
    pthread_mutex_lock(&stall_lock);
    while (stalled)
        pthread_cond_wait(&stall_changed, &stall_lock);
    pthread_mutex_unlock(&stall_lock);
}

static void wait_like_a_server(void)
{
    hold_while_stalled();
    if (options.delay_us == 0)
        return;
    struct timespec ts = {options.delay_us / 1000000, (long)(options.delay_us % 1000000) * 1000};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

/* SIGUSR1 and SIGUSR2 are blocked in every thread; this one takes them. */
static void *take_stall_signals(void *unused)
{
    (void)unused;
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGUSR1);
    sigaddset(&set, SIGUSR2);
    for (;;) {
        int sig = 0;
        if (sigwait(&set, &sig) != 0)
            continue;
        pthread_mutex_lock(&stall_lock);
        stalled = sig == SIGUSR1;
        pthread_cond_broadcast(&stall_changed);
        pthread_mutex_unlock(&stall_lock);
    }
    return NULL;
}

static void full_path(char out[PATH_MAX], const char *path)
{
    snprintf(out, PATH_MAX, "%s%s", options.source, path);
}

static void *slow_init(struct fuse_conn_info *conn, struct fuse_config *cfg)
{
    (void)conn;
    cfg->use_ino = 1;
    cfg->entry_timeout = options.cache_s;
    cfg->attr_timeout = options.cache_s;
    cfg->negative_timeout = 0;
    /* Started here, after fuse_main has become a daemon: a fork keeps only its caller. */
    pthread_t thread;
    if (pthread_create(&thread, NULL, take_stall_signals, NULL) == 0)
        pthread_detach(thread);
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
    hold_while_stalled();
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
    hold_while_stalled();
    struct slow_dir *d = (struct slow_dir *)fi->fh;
    closedir(d->dir);
    free(d);
    return 0;
}

static int slow_open(const char *path, struct fuse_file_info *fi)
{
    wait_like_a_server();
    char p[PATH_MAX];
    full_path(p, path);
    int fd = open(p, fi->flags);
    if (fd == -1)
        return -errno;
    fi->fh = (uint64_t)fd;
    return 0;
}

static int slow_create(const char *path, mode_t mode, struct fuse_file_info *fi)
{
    wait_like_a_server();
    char p[PATH_MAX];
    full_path(p, path);
    int fd = open(p, fi->flags, mode);
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

static int slow_write(const char *path, const char *buf, size_t size, off_t offset,
                      struct fuse_file_info *fi)
{
    (void)path;
    wait_like_a_server();
    ssize_t n = pwrite((int)fi->fh, buf, size, offset);
    return n == -1 ? -errno : (int)n;
}

static int slow_fsync(const char *path, int datasync, struct fuse_file_info *fi)
{
    (void)path;
    wait_like_a_server();
    int rc = datasync ? fdatasync((int)fi->fh) : fsync((int)fi->fh);
    return rc == -1 ? -errno : 0;
}

static int slow_release(const char *path, struct fuse_file_info *fi)
{
    (void)path;
    hold_while_stalled();
    close((int)fi->fh);
    return 0;
}

static int slow_truncate(const char *path, off_t size, struct fuse_file_info *fi)
{
    wait_like_a_server();
    if (fi)
        return ftruncate((int)fi->fh, size) == -1 ? -errno : 0;
    char p[PATH_MAX];
    full_path(p, path);
    return truncate(p, size) == -1 ? -errno : 0;
}

static int slow_rename(const char *from, const char *to, unsigned int flags)
{
    wait_like_a_server();
    if (flags && options.norename2)
        return -ENOSYS;
    char f[PATH_MAX], t[PATH_MAX];
    full_path(f, from);
    full_path(t, to);
    return renameat2(AT_FDCWD, f, AT_FDCWD, t, flags) == -1 ? -errno : 0;
}

static int slow_link(const char *from, const char *to)
{
    wait_like_a_server();
    char f[PATH_MAX], t[PATH_MAX];
    full_path(f, from);
    full_path(t, to);
    return link(f, t) == -1 ? -errno : 0;
}

static int slow_symlink(const char *target, const char *path)
{
    wait_like_a_server();
    char p[PATH_MAX];
    full_path(p, path);
    return symlink(target, p) == -1 ? -errno : 0;
}

static int slow_unlink(const char *path)
{
    wait_like_a_server();
    char p[PATH_MAX];
    full_path(p, path);
    return unlink(p) == -1 ? -errno : 0;
}

static int slow_mkdir(const char *path, mode_t mode)
{
    wait_like_a_server();
    char p[PATH_MAX];
    full_path(p, path);
    return mkdir(p, mode) == -1 ? -errno : 0;
}

static int slow_rmdir(const char *path)
{
    wait_like_a_server();
    char p[PATH_MAX];
    full_path(p, path);
    return rmdir(p) == -1 ? -errno : 0;
}

static int slow_chmod(const char *path, mode_t mode, struct fuse_file_info *fi)
{
    wait_like_a_server();
    if (fi)
        return fchmod((int)fi->fh, mode) == -1 ? -errno : 0;
    char p[PATH_MAX];
    full_path(p, path);
    return chmod(p, mode) == -1 ? -errno : 0;
}

static int slow_chown(const char *path, uid_t uid, gid_t gid, struct fuse_file_info *fi)
{
    wait_like_a_server();
    if (fi)
        return fchown((int)fi->fh, uid, gid) == -1 ? -errno : 0;
    char p[PATH_MAX];
    full_path(p, path);
    return lchown(p, uid, gid) == -1 ? -errno : 0;
}

static int slow_utimens(const char *path, const struct timespec tv[2], struct fuse_file_info *fi)
{
    wait_like_a_server();
    if (fi)
        return futimens((int)fi->fh, tv) == -1 ? -errno : 0;
    char p[PATH_MAX];
    full_path(p, path);
    return utimensat(AT_FDCWD, p, tv, AT_SYMLINK_NOFOLLOW) == -1 ? -errno : 0;
}

static int slow_statfs(const char *path, struct statvfs *st)
{
    hold_while_stalled();
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
    .create = slow_create,
    .read = slow_read,
    .write = slow_write,
    .fsync = slow_fsync,
    .release = slow_release,
    .truncate = slow_truncate,
    .rename = slow_rename,
    .link = slow_link,
    .symlink = slow_symlink,
    .unlink = slow_unlink,
    .mkdir = slow_mkdir,
    .rmdir = slow_rmdir,
    .chmod = slow_chmod,
    .chown = slow_chown,
    .utimens = slow_utimens,
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
        fprintf(stderr, "usage: slowfs SOURCE MOUNTPOINT [-o delay_us=N] [-o cache_s=S] "
                        "[-o norename2] [FUSE options]\n");
        return 1;
    }
    /* Blocked before any thread starts, so that every thread inherits the mask and only the
     * thread that waits for them takes them. */
    sigset_t stall_signals;
    sigemptyset(&stall_signals);
    sigaddset(&stall_signals, SIGUSR1);
    sigaddset(&stall_signals, SIGUSR2);
    pthread_sigmask(SIG_BLOCK, &stall_signals, NULL);
    umask(0);
    int rc = fuse_main(args.argc, args.argv, &slow_operations, NULL);
    fuse_opt_free_args(&args);
    free(options.source);
    return rc;
}
