-- wrk script: each thread walks its own share of every (table, value) pair
-- the game can send, as queries or as submissions (ORBOLO_KIND), so every
-- submission has had its matching query and none repeats.
local tables = {"taeasy", "taaverage", "tahard", "tseasy", "tsaverage", "tshard"}
local kind = os.getenv("ORBOLO_KIND") or "query"
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
    local t = n % 6 + 1
    local value = math.floor(n / 6) % 32768
    if t > 3 then value = value * 10 end
    n = n + step
    local path
    if kind == "query" then
        path = "/highscores/orbolo/ishighscore.php?gamename=" .. tables[t] .. "&submtdscore=" .. value
    else
        path = "/highscores/orbolo/scoresubmitter.php?name=ANN%20LEE&score=" .. value ..
               "&computer=M&gamename=" .. tables[t]
    end
    return wrk.format("GET", path)
end
