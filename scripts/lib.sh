# Shared by the scripts: install what is missing, once.
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
    fi
}

# The files of `data` that a fuzz target's "// Seeds:" lines name, one a line: every pattern of
# a line is taken under `data`, not only the first.
fuzz_seed_files() {
    local data="$1" src="$2" line pattern f patterns
    shopt -s globstar nullglob
    while read -r line; do
        read -ra patterns <<<"$line"
        for pattern in "${patterns[@]}"; do
            for f in "$data"/$pattern; do
                if [ -f "$f" ]; then printf '%s\n' "$f"; fi
            done
        done
    done < <(sed -n 's|^// Seeds: ||p' "$src")
}
