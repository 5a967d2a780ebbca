-- wrk script: queries, each from the next of ORBOLO_SOURCES sources named
-- in X-Forwarded-For (the server trusts the local proxy), IPv4 addresses or,
-- with ORBOLO_FAMILY=6, IPv6 /64s. Each thread walks its own share of the
-- sources and of every (table, value) pair, so queries rarely repeat.
local tables = {"taeasy", "taaverage", "tahard", "tseasy", "tsaverage", "tshard"}
local sources = tonumber(os.getenv("ORBOLO_SOURCES") or "4")
local v6 = os.getenv("ORBOLO_FAMILY") == "6"
local threads = 0

function setup(thread)
    thread:set("id", threads)
    threads = threads + 1
end

function init()
    step = tonumber(os.getenv("ORBOLO_THREADS") or "1")
    n = id
end

function request()
    local s = n % sources
    local t = n % 6 + 1
    local value = math.floor(n / 6) % 32768
    if t > 3 then value = value * 10 end
    n = n + step
    local source
    if v6 then
        source = string.format("2001:db8:%x:%x::1", math.floor(s / 65536), s % 65536)
    else
        source = string.format("10.%d.%d.%d", math.floor(s / 65536), math.floor(s / 256) % 256, s % 256)
    end
    return wrk.format("GET", "/highscores/orbolo/ishighscore.php?gamename=" .. tables[t] ..
        "&submtdscore=" .. value, {["X-Forwarded-For"] = source})
end
