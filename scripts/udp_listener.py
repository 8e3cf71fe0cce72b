#!/usr/bin/env python3
"""Listens for the plugin's UDP telemetry packets until it is told to stop (SIGTERM or Ctrl-C),
then prints how many arrived and a few of them decoded.

  udp_listener.py [PORT]    (default 6776, on 127.0.0.1)
"""
import signal
import socket
import struct
import sys

PACKET = 664


def decode(p):
    """The fields a player looks at, by their offsets in the 664-byte packet."""
    f = lambda at: struct.unpack_from("<f", p, at)[0]
    i = lambda at: struct.unpack_from("<i", p, at)[0]
    wheel = lambda n: p[152 + 128 * n:280 + 128 * n]
    return {
        "totalSteps": struct.unpack_from("<I", p, 0)[0],
        "stage": i(4),
        "raceTime": f(12),
        "throttle": f(28),
        "brake": f(32),
        "gear": i(44),
        "speed": f(60),
        "position": struct.unpack_from("<3f", p, 64),
        "engineRotation": f(136),
        "tyreTemperature": [struct.unpack_from("<f", wheel(n), 48)[0] for n in range(4)],
        "brakeDiskTemp": [struct.unpack_from("<f", wheel(n), 36)[0] for n in range(4)],
    }


def report(packets, sizes):
    print(f"{len(packets) + len(sizes)} datagrams received, {len(packets)} of {PACKET} bytes"
          + (f", {len(sizes)} of other sizes: {sorted(set(sizes))}" if sizes else ""))
    if not packets:
        return
    rows = [decode(p) for p in packets]
    picks = sorted({0, len(rows) // 4, len(rows) // 2, 3 * len(rows) // 4, len(rows) - 1})
    print(f"{'steps':>8} {'stage':>5} {'time s':>7} {'gear':>4} {'speed':>7} {'engine':>7} "
          f"{'throttle':>8} {'z m':>8}  tyre temperature LF RF LB RB")
    for n in picks:
        r = rows[n]
        tyres = " ".join(f"{t:.1f}" for t in r["tyreTemperature"])
        print(f"{r['totalSteps']:>8} {r['stage']:>5} {r['raceTime']:>7.2f} {r['gear']:>4} {r['speed']:>7.1f} "
              f"{r['engineRotation']:>7.1f} {r['throttle']:>8.2f} {r['position'][2]:>8.1f}  {tyres}")


def main():
    port = int(sys.argv[1]) if len(sys.argv) > 1 else 6776
    listener = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    listener.bind(("127.0.0.1", port))
    listener.settimeout(0.2)
    stop = []
    signal.signal(signal.SIGTERM, lambda *_: stop.append(1))
    packets, sizes = [], []
    try:
        while not stop:
            try:
                data = listener.recv(2048)
            except socket.timeout:
                continue
            if len(data) == PACKET:
                packets.append(data)
            else:
                sizes.append(len(data))
    except KeyboardInterrupt:
        pass
    report(packets, sizes)


if __name__ == "__main__":
    main()
