#!/bin/sh
# Prepares a local CUPS server for the end-to-end printing tests: a capture backend,
# a running cupsd and the raw queue "receipt" whose jobs land in /tmp/kelvo-receipt.bin.
# Safe to run again. Needs root (the backend must belong to root, and cupsd runs as root).
set -eu

QUEUE=receipt
CAPTURE=/tmp/kelvo-receipt.bin
BACKEND_DIR=/usr/lib/cups/backend
BACKEND=$BACKEND_DIR/capture

if [ "$(id -u)" -ne 0 ]; then
    echo "cups-test-setup: must run as root" >&2
    exit 1
fi

# Mode 0700 makes cupsd run the backend as root, so it may write anywhere.
install -d "$BACKEND_DIR"
cat > "$BACKEND.new" <<'BACKEND_EOF'
#!/bin/sh
# CUPS backend for tests: copies each job's bytes unchanged to the file named by the
# device URI (capture:/path/file). Written to a side file first, so a reader never
# sees half a job.
if [ $# -eq 0 ]; then
    echo 'direct capture "Unknown" "Capture jobs to a file"'
    exit 0
fi
out=${DEVICE_URI#capture:}
if [ -z "$out" ] || [ "$out" = "$DEVICE_URI" ]; then
    echo "ERROR: device URI must be capture:/path" >&2
    exit 1
fi
part="$out.part.$$"
if [ $# -ge 6 ]; then
    cat "$6" > "$part" || exit 1
else
    cat > "$part" || exit 1
fi
chmod 0666 "$part"
mv -f "$part" "$out" || exit 1
exit 0
BACKEND_EOF
chown root:root "$BACKEND.new"
chmod 0700 "$BACKEND.new"
mv -f "$BACKEND.new" "$BACKEND"

running() {
    LC_ALL=C lpstat -r 2>/dev/null | grep -q "scheduler is running"
}

if ! running; then
    install -d /run/cups
    cupsd
    i=0
    while ! running; do
        i=$((i + 1))
        if [ "$i" -gt 100 ]; then
            echo "cups-test-setup: cupsd did not start within 10 s" >&2
            exit 1
        fi
        sleep 0.1
    done
fi

# No model: a raw queue, the bytes go to the backend untouched.
lpadmin -p "$QUEUE" -E -v "capture:$CAPTURE"
echo "cups-test-setup: queue $QUEUE writes to $CAPTURE"
