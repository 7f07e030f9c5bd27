#!/usr/bin/env python3
"""Builds the carving benchmark image.

Makes photos with ImageMagick and videos with FFmpeg, lays each one on a 512-byte sector
boundary into one image, between runs of filler (zeros, pseudo-random bytes from a fixed start, text), and tops
the image up with filler to the requested size. Writes into OUTDIR:

  originals/     every file as laid into the image
  bench.img      the image
  manifest.tsv   original's absolute path, start sector, size in bytes, extension (no dot)

The same --seed value gives the same layout. Run once; the bench script reuses an existing image.
"""
import argparse
import os
import random
import struct
import subprocess
import sys

SECTOR = 512
MiB = 1 << 20


def run(cmd):
    subprocess.run(cmd, check=True, stdin=subprocess.DEVNULL)


def exif_from_jfif(path):
    """Turns a JFIF JPEG into one that starts with an Exif APP1, as cameras write them."""
    data = open(path, 'rb').read()
    if data[:4] != b'\xff\xd8\xff\xe0':
        return
    rest = data[4 + struct.unpack('>H', data[4:6])[0]:]
    tiff = (b'II\x2a\x00' + struct.pack('<I', 8) + struct.pack('<H', 1) +
            struct.pack('<HHIHH', 0x0112, 3, 1, 1, 0) + struct.pack('<I', 0))
    app1 = b'Exif\x00\x00' + tiff
    with open(path, 'wb') as f:
        f.write(b'\xff\xd8\xff\xe1' + struct.pack('>H', len(app1) + 2) + app1 + rest)


def make_photos(rng, dest, log):
    """About 110 photos: JPEG (JFIF and Exif) of phone to compact sizes, PNG, GIF, TIFF, BMP."""
    bases = []
    for i in range(6):
        base = os.path.join(dest, 'base%d.mpc' % i)
        run(['convert', '-seed', str(100 + i), '-size', '1024x768', 'plasma:fractal', base])
        bases.append(base)
    sizes = ['4032x3024', '4000x3000', '3264x2448', '2592x1944', '2048x1536', '1600x1200',
             '1280x960', '1024x768', '800x600', '640x480']
    plan = [('jpg', 92)] * 90 + [('png', 0)] * 8 + [('gif', 0)] * 5 + [('tif', 0)] * 5 + \
           [('bmp', 0)] * 2
    photos = []
    for n, (ext, _) in enumerate(plan):
        base = rng.choice(bases)
        size = rng.choice(sizes if ext == 'jpg' else sizes[5:])
        name = os.path.join(dest, 'photo%03d.%s' % (n, ext))
        cmd = ['convert', base, '-resize', size + '!', '-roll', '+%d+%d' % (n * 37, n * 11)]
        if ext == 'jpg':
            cmd += ['-attenuate', '%.2f' % rng.uniform(0.1, 0.6), '+noise', 'Gaussian',
                    '-quality', str(rng.choice([80, 85, 90, 95]))]
        if ext == 'png':
            cmd += ['-define', 'png:exclude-chunks=date,time']
        if ext == 'tif':
            cmd += ['-compress', 'none']
        run(cmd + [name])
        if ext == 'jpg' and n % 2 == 0:
            exif_from_jfif(name)
        photos.append(name)
        log('photo %d/%d' % (n + 1, len(plan)))
    for base in bases:
        os.remove(base)
        os.remove(base[:-4] + '.cache')
    return photos


def make_videos(rng, dest, log):
    """22 videos of a few seconds to half a minute: MP4 and MOV (H.264), AVI (MPEG-4)."""
    plan = [('mp4', 'libx264')] * 10 + [('mov', 'libx264')] * 7 + [('avi', 'mpeg4')] * 5
    videos = []
    for n, (ext, codec) in enumerate(plan):
        size = rng.choice(['1280x720', '960x540', '640x480'])
        seconds = rng.randint(3, 24)
        name = os.path.join(dest, 'video%02d.%s' % (n, ext))
        quality = ['-preset', 'ultrafast', '-crf', '26'] if codec == 'libx264' else ['-q:v', '4']
        run(['ffmpeg', '-nostdin', '-v', 'error', '-y', '-threads', '1', '-f', 'lavfi', '-i',
             'testsrc2=duration=%d:size=%s:rate=25' % (seconds, size), '-vf',
             'noise=alls=%d:allf=t' % rng.randint(2, 5), '-c:v', codec, '-pix_fmt', 'yuv420p'] +
            quality + ['-map_metadata', '-1', '-fflags', '+bitexact', name])
        videos.append(name)
        log('video %d/%d' % (n + 1, len(plan)))
    return videos


class Filler:
    def __init__(self, rng):
        self.rng = rng
        words = ('the of and recovery sector cluster volume photo video folder camera card '
                 'holiday report invoice summary draft notes meeting budget').split()
        text = bytearray()
        while len(text) < 4 * MiB:
            line = ' '.join(rng.choice(words) for _ in range(rng.randint(4, 14)))
            text += (line.capitalize() + '.\n').encode()
        self.text = bytes(text)

    def write(self, f, kind, sectors):
        n = sectors * SECTOR
        while n > 0:
            step = min(n, 8 * MiB)
            if kind == 'zeros':
                f.write(bytes(step))
            elif kind == 'random':
                f.write(self.rng.randbytes(step))
            else:
                start = self.rng.randrange(0, len(self.text) - step) if step < len(self.text) else 0
                chunk = self.text[start:start + step]
                f.write(chunk + b' ' * (step - len(chunk)))
            n -= step


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('outdir')
    parser.add_argument('--size-mib', type=int, default=1100)
    parser.add_argument('--seed', type=int, default=20261211)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    originals = os.path.join(args.outdir, 'originals')
    os.makedirs(originals, exist_ok=True)
    log = lambda text: print('\r' + text + ' ' * 10, end='', file=sys.stderr, flush=True)
    listing = os.path.join(originals, 'files.txt')
    if os.path.exists(listing):  # made by an earlier run with the same --seed
        files = [os.path.join(originals, n) for n in open(listing).read().split()]
        rng.seed(args.seed + 1)
    else:
        files = make_photos(rng, originals, log) + make_videos(rng, originals, log)
        print(file=sys.stderr)
        with open(listing, 'w') as f:
            f.write(''.join(os.path.basename(p) + '\n' for p in files))
        rng.seed(args.seed + 1)
    rng.shuffle(files)

    total = sum(os.path.getsize(p) for p in files)
    target = args.size_mib * MiB
    if total >= target:
        sys.exit('the files alone (%d bytes) exceed the requested size' % total)
    # Spread most of the filler between the files, in runs of random length and kind.
    budget = (target - total) // SECTOR
    kinds = ['zeros', 'random', 'text']
    filler = Filler(rng)
    image_path = os.path.join(args.outdir, 'bench.img')
    sector = 0
    with open(image_path + '.tmp', 'wb') as img, \
            open(os.path.join(args.outdir, 'manifest.tsv.tmp'), 'w') as manifest:
        for path in files:
            gap = rng.randint(1, max(1, 2 * budget // (len(files) + 1)))
            gap = min(gap, budget)
            kind = rng.choice(kinds)
            filler.write(img, kind, gap)
            sector += gap
            budget -= gap
            data = open(path, 'rb').read()
            manifest.write('%s\t%d\t%d\t%s\n' % (os.path.abspath(path), sector, len(data),
                                                 path.rsplit('.', 1)[1]))
            img.write(data)
            tail = -len(data) % SECTOR
            img.write(rng.randbytes(tail))
            sector += (len(data) + tail) // SECTOR
        while budget > 0:
            gap = min(budget, rng.randint(1, 65536))
            filler.write(img, rng.choice(kinds), gap)
            budget -= gap
            sector += gap
    os.replace(image_path + '.tmp', image_path)
    os.replace(os.path.join(args.outdir, 'manifest.tsv.tmp'),
               os.path.join(args.outdir, 'manifest.tsv'))
    print('%s: %d sectors, %d files (%d bytes)' % (image_path, sector, len(files), total))


if __name__ == '__main__':
    main()
