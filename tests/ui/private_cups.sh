#!/bin/sh
# Runs a CUPS scheduler of the tests' own in the folder given, in the
# foreground: its configuration, spool, logs and socket (FOLDER/cups.sock,
# for CUPS_SERVER) all live there, so the machine's printers and defaults are
# never seen or touched. Its one backend, keep:FOLDER2, keeps each job's
# file as FOLDER2/job-N.pdf. Needs no root.
set -eu
folder=$1
mkdir -p "$folder/spool/tmp" "$folder/cache" "$folder/state" "$folder/log" "$folder/bin/backend"
for part in filter daemon cgi-bin monitor notifier driver; do
    ln -sfn "/usr/lib/cups/$part" "$folder/bin/$part"
done
cat >"$folder/bin/backend/keep" <<'BACKEND'
#!/bin/sh
[ $# -eq 0 ] && { echo 'direct keep "Unknown" "Keep each job as a file"'; exit 0; }
folder=${DEVICE_URI#keep:}
if [ -n "${6:-}" ]; then cp "$6" "$folder/job-$1.tmp"; else cat >"$folder/job-$1.tmp"; fi
chmod 644 "$folder/job-$1.tmp" && mv "$folder/job-$1.tmp" "$folder/job-$1.pdf"
BACKEND
chmod 755 "$folder/bin/backend/keep"
cat >"$folder/cupsd.conf" <<CONF
Listen $folder/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$folder/cups-files.conf" <<CONF
ServerRoot $folder
RequestRoot $folder/spool
TempDir $folder/spool/tmp
CacheDir $folder/cache
StateDir $folder/state
ServerBin $folder/bin
DataDir /usr/share/cups
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
Printcap $folder/printcap
CONF
exec cupsd -f -c "$folder/cupsd.conf" -s "$folder/cups-files.conf"
